#pragma once

// Told when a hotkey field gains or loses the keyboard focus. Keys that a registered
// global hotkey takes never reach the field, so the program holds its own hotkeys back
// while a field records a combination.
class IKeyShortcutEditListener
{
public:
    virtual void OnHotKeyFieldFocus(bool focused) = 0;

protected:
    ~IKeyShortcutEditListener() = default;
};
