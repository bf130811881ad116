#pragma once

// Real input through SendInput: the events a keyboard or mouse would give, for tests that
// wait in their own message loop (InProcessInput.h) and for those that drive another
// process (CrossProcessInput.h) alike.

#include <windows.h>

#include <string>
#include <vector>

namespace test_support
{
// A key going down or up with the extended flag a real keyboard sets: keys whose scan code
// is shared with the numeric keypad or another key, and the right-hand modifiers.
INPUT KeyDown(WORD virtualKey);
INPUT KeyUp(WORD virtualKey);
// A key going down or up with the extended flag as given.
INPUT KeyEvent(WORD virtualKey, bool up, bool extended);
// Each key of the list goes down in order and comes up in reverse order.
std::vector<INPUT> Chord(const std::vector<WORD>& virtualKeys);
// Each character typed as Unicode input, down and up.
std::vector<INPUT> UnicodeText(const std::wstring& text);

// Queues the input; false when SendInput took less than all of it.
bool SendKeys(const std::vector<INPUT>& keys);

// Marks the mouse events this process sends, to tell them from the desktop's reports.
constexpr ULONG_PTR OwnMouseEvent = 0x504D;

// A mouse event at a screen point, always absolute and with the point: a button event
// without one lands wherever Wine's cursor happens to be.
INPUT MouseEvent(DWORD flags, POINT screen);
bool SendMouse(DWORD flags, POINT screen);
// Turns the wheel at the pointer by delta (WHEEL_DELTA per notch, negative towards the user).
bool SendWheel(int delta);
} // namespace test_support
