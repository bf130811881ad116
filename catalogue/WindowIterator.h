#pragma once

#include <windows.h>

#include <vector>

// The top-level windows AcceptWindow takes, in the order EnumWindows reports them.
class CWindowIterator
{
public:
    CWindowIterator() = default;
    CWindowIterator(const CWindowIterator&) = delete;
    CWindowIterator& operator=(const CWindowIterator&) = delete;
    virtual ~CWindowIterator() = default;

    virtual bool AcceptWindow(HWND hWnd);

    // Runs EnumWindows and appends every accepted window.
    void CollectWindows();
    // The next collected window, or null when none is left. The parentheses keep winuser.h's
    // GetNextWindow macro away; callers write (GetNextWindow)() as well.
    HWND(GetNextWindow)();

protected:
    DWORD m_cursor = 0;
    std::vector<HWND> m_windows;

private:
    static BOOL CALLBACK EnumWindowsCallback(HWND hWnd, LPARAM lParam);
};
