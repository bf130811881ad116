#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace views_test
{
// Real mouse input through SendInput, and a message pump that lets a test wait for what
// the input causes instead of sleeping. The input settles as the toolkit tests' does
// (tests/support/SettledInput.h); these add the window that must receive it.

// Dispatches this thread's messages until done() holds after a dispatch, showing each
// message to watch (when given) before it is dispatched. False after timeoutMs without.
bool PumpUntil(const std::function<bool()>& done,
               const std::function<void(const MSG&)>& watch = nullptr, DWORD timeoutMs = 5000);

// Send the input and dispatch messages until the window received the mouse message
// (WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP) that it causes, with the cursor at the
// point (buttons: the point of the last move). False when it never came. The watch (when
// given) sees every message dispatched.
bool MoveMouseTo(POINT screen, HWND receiver,
                 const std::function<void(const MSG&)>& watch = nullptr);
bool PressLeftButton(HWND receiver);
bool ReleaseLeftButton(HWND receiver);

// Posts a marker to the window and dispatches until it comes back: every message posted
// before has been dispatched by then. The watch sees them all.
bool FlushPostedMessages(HWND hWnd, const std::function<void(const MSG&)>& watch = nullptr);

// The client area as it is on screen, row by row.
std::vector<COLORREF> CaptureClient(HWND hWnd);
} // namespace views_test
