#pragma once

#include <windows.h>

#include <functional>

namespace toolkit_test
{
// Real input through SendInput, and message pumps that wait for what it causes.
//
// In Wine's virtual desktop an absolute move also warps the X pointer, and the desktop
// process then injects the moves X reports back: sometimes first the point where the
// pointer was before, then the new one. Until those have come the cursor may jump back,
// so MoveMouse returns only once the moves have settled on the target, for Wine's cursor
// and the X pointer alike (GetCursorPos reads the latter once the cursor rests).

// Dispatches this thread's messages until done() holds after a dispatch, showing each
// message to watch (when given) first. False after timeoutMs without.
bool PumpUntil(const std::function<bool()>& done,
               const std::function<void(const MSG&)>& watch = nullptr, DWORD timeoutMs = 5000);

// Moves the cursor to a screen point; true when it rests there. Button events go to the
// point the last successful move rested on. The watch (when given) sees every message
// dispatched meanwhile.
bool MoveMouse(POINT screen, const std::function<void(const MSG&)>& watch = nullptr);
// A point of a window's client area in screen coordinates.
POINT ScreenPoint(HWND hWnd, int x, int y);

// Left button down or up where the last move rested; true once the message it causes (a
// press may arrive as WM_LBUTTONDBLCLK) has been dispatched to the receiver.
bool PressLeftButton(HWND receiver, UINT expected = WM_LBUTTONDOWN);
bool ReleaseLeftButton(HWND receiver);

// A key pressed and released; true once the receiver has been dispatched the key-up.
bool PressKey(WORD key, HWND receiver);

// Posts a marker to the window and dispatches until it comes back: every message posted
// before has been dispatched by then. The watch (when given) sees them all.
bool FlushPostedMessages(HWND hWnd, const std::function<void(const MSG&)>& watch = nullptr);
} // namespace toolkit_test
