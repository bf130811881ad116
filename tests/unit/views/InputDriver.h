#pragma once

#include <windows.h>

#include "tests/support/SettledInput.h"

#include <functional>
#include <vector>

namespace views_test
{
// Real mouse input through SendInput, and a message pump that lets a test wait for what
// the input causes instead of sleeping. The input settles as the toolkit tests' does
// (tests/support/SettledInput.h); these add the window that must receive it.

using toolkit_test::FlushPostedMessages;
using toolkit_test::PressLeftButton;
using toolkit_test::PumpUntil;
using toolkit_test::ReleaseLeftButton;

// Send the input and dispatch messages until the window received the mouse move it
// causes, with the cursor at the point. False when it never came. The watch (when given)
// sees every message dispatched.
bool MoveMouseTo(POINT screen, HWND receiver,
                 const std::function<void(const MSG&)>& watch = nullptr);

// The client area as it is on screen, row by row.
std::vector<COLORREF> CaptureClient(HWND hWnd);
} // namespace views_test
