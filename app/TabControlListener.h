#pragma once

// Told about clicks on the tabs of a CMyTabControl.
class IMyTabControlListener
{
public:
    virtual void OnTabChanged(int index) = 0;

protected:
    ~IMyTabControlListener() = default;
};
