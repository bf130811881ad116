#include "tests/unit/toolkit/SettledInput.h"

namespace toolkit_test
{
namespace
{
constexpr UINT FlushMarker = WM_APP + 0x3A8;
// Marks the moves this process sends, to tell them from the desktop's reports.
constexpr ULONG_PTR OwnMove = 0x504D;
// The desktop's reports follow within a few milliseconds; no mouse message for this long
// means they are all in.
constexpr DWORD QuietMs = 40;
// A move to where the X pointer already is brings no report at all.
constexpr DWORD ReportWaitMs = 300;
constexpr DWORD MoveTimeoutMs = 3000;
constexpr int MoveAttempts = 3;

bool DispatchOne(const std::function<void(const MSG&)>& watch)
{
    MSG msg = {};
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (watch)
        watch(msg);
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

// Absolute coordinates are on a 0 to 65535 scale across the primary screen; the rounding
// up lands on the intended pixel.
LONG Normalised(LONG coordinate, int screenSize)
{
    return static_cast<LONG>((static_cast<LONGLONG>(coordinate) * 65536 + screenSize - 1) /
                             screenSize);
}

bool SendMouse(DWORD flags, POINT screen = {0, 0})
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = flags;
    input.mi.dwExtraInfo = OwnMove;
    return SendInput(1, &input, sizeof(input)) == 1;
}

bool CursorAt(POINT screen)
{
    POINT cursor = {-1, -1};
    GetCursorPos(&cursor);
    return cursor.x == screen.x && cursor.y == screen.y;
}

// Dispatches until the desktop has reported the move to the target (or had nothing to
// report) and the mouse has been quiet since.
bool SettleOn(POINT target)
{
    const DWORD start = GetTickCount();
    DWORD lastMouse = start;
    bool reported = false;
    for (;;)
    {
        MSG msg = {};
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_MOUSEMOVE)
            {
                lastMouse = GetTickCount();
                reported = reported || (msg.pt.x == target.x && msg.pt.y == target.y &&
                                        GetMessageExtraInfo() != static_cast<LPARAM>(OwnMove));
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        const DWORD now = GetTickCount();
        if (now - lastMouse >= QuietMs && (reported || now - start >= ReportWaitMs))
            return CursorAt(target);
        if (now - start > MoveTimeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, QuietMs, QS_ALLINPUT);
    }
}

bool SendAndWait(DWORD flags, UINT message, HWND receiver)
{
    if (!SendMouse(flags))
        return false;
    bool arrived = false;
    return PumpUntil([&arrived] { return arrived; },
                     [&arrived, message, receiver](const MSG& msg) {
                         arrived = arrived || (msg.message == message && msg.hwnd == receiver);
                     });
}
} // namespace

bool PumpUntil(const std::function<bool()>& done, const std::function<void(const MSG&)>& watch,
               DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done())
    {
        if (GetTickCount() - start > timeoutMs)
            return false;
        if (!DispatchOne(watch))
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

bool MoveMouse(POINT screen)
{
    // A late report of the old point can leave the cursor there; moving again ends that.
    for (int attempt = 0; attempt < MoveAttempts; ++attempt)
    {
        if (!SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen))
            return false;
        if (SettleOn(screen))
            return true;
    }
    return false;
}

POINT ScreenPoint(HWND hWnd, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(hWnd, &point);
    return point;
}

bool PressLeftButton(HWND receiver, UINT expected)
{
    return SendAndWait(MOUSEEVENTF_LEFTDOWN, expected, receiver);
}

bool ReleaseLeftButton(HWND receiver)
{
    return SendAndWait(MOUSEEVENTF_LEFTUP, WM_LBUTTONUP, receiver);
}

bool PressKey(WORD key, HWND receiver)
{
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = key;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    if (SendInput(2, inputs, sizeof(INPUT)) != 2)
        return false;
    bool arrived = false;
    return PumpUntil([&arrived] { return arrived; },
                     [&arrived, key, receiver](const MSG& msg) {
                         arrived = arrived || (msg.message == WM_KEYUP && msg.hwnd == receiver &&
                                               msg.wParam == key);
                     });
}

bool FlushPostedMessages(HWND hWnd)
{
    bool back = false;
    PostMessageW(hWnd, FlushMarker, 0, 0);
    return PumpUntil([&back] { return back; },
                     [&back, hWnd](const MSG& msg) {
                         back = back || (msg.message == FlushMarker && msg.hwnd == hWnd);
                     });
}
} // namespace toolkit_test
