#pragma once

// Real input for tests that receive it in this thread, and message pumps that wait for what
// it causes instead of sleeping. The events come from Input.h.
//
// In Wine's virtual desktop an absolute move also warps the X pointer, and the desktop
// process then injects the moves X reports back: sometimes first the point where the
// pointer was before, then the new one. Until those have come the cursor may jump back,
// so MoveMouse returns only once the moves have settled on the target, for Wine's cursor
// and the X pointer alike (GetCursorPos reads the latter once the cursor rests).

#include "tests/support/Input.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace test_support
{
// WM_KEYDOWN, WM_KEYUP and their WM_SYS twins.
bool IsKeyMessage(UINT message);

// Dispatches this thread's messages until done() holds after a dispatch, showing each
// message to watch (when given) first. False after timeoutMs without.
bool PumpUntil(const std::function<bool()>& done,
               const std::function<void(const MSG&)>& watch = nullptr, DWORD timeoutMs = 5000);

// Moves the cursor to a screen point; true when it rests there. Button events go to the
// point the last successful move rested on. The watch (when given) sees every message
// dispatched meanwhile.
bool MoveMouse(POINT screen, const std::function<void(const MSG&)>& watch = nullptr);
// The same, and true only when the receiver got the mouse move it causes, at the point:
// the desktop's stale reports of earlier points reach windows elsewhere.
bool MoveMouseTo(POINT screen, HWND receiver,
                 const std::function<void(const MSG&)>& watch = nullptr);
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

// Lets go of the modifiers a failed test may have left down, so the next test starts clean.
// GetKeyState only tells the truth about keys whose messages this thread retrieved, so the
// key-ups are dispatched here.
void ReleaseModifiers();

// Brings the window forward and gives the control the focus; false when that fails.
bool FocusControl(HWND control);

// Runs a script inside the modal loop of the next dialog this thread shows, from a
// thread timer. A dialog that is still shown after the script is ended with IDABORT.
class CModalDriver
{
public:
    explicit CModalDriver(std::function<void(HWND dialog)> script);
    ~CModalDriver();
    CModalDriver(const CModalDriver&) = delete;
    CModalDriver& operator=(const CModalDriver&) = delete;

    bool m_ran = false;
    bool m_leftOpen = false;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK FindDialog(HWND hWnd, LPARAM found);

    static CModalDriver* s_active;
    std::function<void(HWND)> m_script;
    UINT_PTR m_timer;
};

// The client area as it is on screen, row by row.
std::vector<COLORREF> CaptureClient(HWND hWnd);
} // namespace test_support
