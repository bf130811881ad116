#pragma once

// Typed input and clicks on dialog controls, built on the harness's SendInput helpers.

#include <gtest/gtest.h>

#include <windows.h>

#include <initializer_list>
#include <string>

namespace e2e
{
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
