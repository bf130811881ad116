#pragma once

// Real input for another process, built on the events of Input.h. This process cannot
// dispatch the other's messages, so these wait on what can be seen from outside: the
// cursor's place, the other thread's idleness, its move or size loop.

#include <gtest/gtest.h>

#include <windows.h>

#include <initializer_list>
#include <string>

namespace e2e
{
// Real input, in screen coordinates.
void MoveMouse(int x, int y);
void MouseButton(bool left, bool down);
void Click(int x, int y, bool left = true);
// Returns once the thread that owns the window has handled everything sent before.
void Settle(HWND window);
void Drag(POINT from, POINT to, int steps = 10);
// Drags a window by its caption or frame. The steps follow only once the window's own move
// or size loop holds the button: steps queued before that loop starts can be lost to it.
::testing::AssertionResult DragFrame(HWND window, POINT from, POINT to, int steps = 10);
// Turns the wheel at the pointer by delta (WHEEL_DELTA per notch, negative towards the user).
void Wheel(int delta);
void PressKey(WORD vk, bool extended = false);
// A key held down and let go of again, for chords and held modifiers.
void HoldKey(WORD vk);
void ReleaseKey(WORD vk);

// Ctrl+Alt+R as a shell-link hotkey word: HOTKEYF_CONTROL | HOTKEYF_ALT above the key.
constexpr DWORD RecorderHotKey = 0x0652;

// Characters as the keyboard would give them, whatever the layout.
void TypeText(const std::wstring& text);
// Letters, digits and spaces as keys: lower case bare, upper case with Shift held.
void TypeLetters(const std::wstring& letters);
// Holds the modifiers in order, presses the key, and lets them go in reverse order.
void PressChord(std::initializer_list<WORD> modifiers, WORD key);
POINT CentreOf(HWND window);
void ClickControl(HWND dialog, int id);
// Unfolds the item editor's advanced fields by keyboard when they are folded, and types
// Ctrl+Alt+R into its hotkey field; fails unless the field then shows that chord.
::testing::AssertionResult TypeRecorderHotKey(HWND editor);
} // namespace e2e
