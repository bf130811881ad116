#pragma once

#include <windows.h>

// Windows 7 and later drop the reports of a combination held down (MOD_NOREPEAT); a system
// that ignores the flag, Wine among them, reports it again at every key repeat. This lets
// the first report of a hotkey through and no other of the same id until a timer of the
// window has seen its key up. The timer's messages come only once the queue holds no
// posted message, so the repeats that queued up while the first report was carried out
// are all dropped, even when the key was let go meanwhile.
class CHotKeyRepeatFilter
{
public:
    static constexpr UINT_PTR TimerId = 1;

    // True for a report to act on: not a repeat of the one before. key is the report's
    // virtual key (HIWORD of the WM_HOTKEY lParam).
    bool Admit(HWND window, int id, UINT key);
    // The timer's tick: once the key is up, the next report of its hotkey counts again.
    void OnTimer(HWND window);

private:
    // The hotkey whose key has not been seen up since its report, -1 for none.
    int m_heldId = -1;
    UINT m_heldKey = 0;
};
