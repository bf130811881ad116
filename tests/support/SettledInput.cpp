#include "tests/support/SettledInput.h"

namespace toolkit_test
{
namespace
{
constexpr UINT FlushMarker = WM_APP + 0x3A8;
// Marks the moves this process sends, to tell them from the desktop's reports.
constexpr ULONG_PTR OwnMove = 0x504D;
// Once Wine's cursor has rested for 100 ms, GetCursorPos answers with the X pointer. No
// mouse message for longer than that means the desktop's reports (a few milliseconds
// after a move) are all in, and the check that follows sees the pointer.
constexpr DWORD QuietMs = 110;
// A move to where the X pointer already is brings no report at all.
constexpr DWORD ReportWaitMs = 300;
constexpr DWORD MoveTimeoutMs = 3000;
constexpr int MoveAttempts = 5;

// Where the last move settled. Button events carry it: a late report of the desktop may
// have pulled Wine's cursor elsewhere since.
POINT pointer = {0, 0};

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

// Always absolute, with the point: a button event without one lands wherever Wine's
// cursor happens to be.
bool SendMouse(DWORD flags, POINT screen)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input.mi.dwExtraInfo = OwnMove;
    return SendInput(1, &input, sizeof(input)) == 1;
}

bool SamePoint(POINT a, POINT b)
{
    return a.x == b.x && a.y == b.y;
}

bool CursorAt(POINT screen)
{
    POINT cursor = {-1, -1};
    GetCursorPos(&cursor);
    return SamePoint(cursor, screen);
}

enum class Settling
{
    Settled,
    // Wine's cursor was pulled elsewhere by a late report of an old point.
    Pulled,
    // Wine's cursor is on the target, the X pointer is not.
    Unwarped,
    TimedOut,
};

// Dispatches until the desktop has reported the move to the target (or had nothing to
// report) and the mouse has been quiet since, then compares the last mouse message (Wine's
// cursor) and the X pointer with the target.
Settling SettleOn(POINT target, const std::function<void(const MSG&)>& watch)
{
    const DWORD start = GetTickCount();
    DWORD lastMouse = start;
    POINT lastPoint = {-1, -1};
    bool reported = false;
    const auto observe = [&](const MSG& msg)
    {
        if (msg.message == WM_MOUSEMOVE)
        {
            lastMouse = GetTickCount();
            lastPoint = msg.pt;
            reported = reported || (SamePoint(msg.pt, target) &&
                                    GetMessageExtraInfo() != static_cast<LPARAM>(OwnMove));
        }
        if (watch)
            watch(msg);
    };
    for (;;)
    {
        while (DispatchOne(observe))
        {
        }
        const DWORD now = GetTickCount();
        if (now - lastMouse >= QuietMs && (reported || now - start >= ReportWaitMs))
        {
            if (!SamePoint(lastPoint, target))
                return Settling::Pulled;
            return CursorAt(target) ? Settling::Settled : Settling::Unwarped;
        }
        if (now - start > MoveTimeoutMs)
            return Settling::TimedOut;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// The pixel left of the point, or right of it at the screen's edge.
POINT Beside(POINT screen)
{
    return {screen.x > 0 ? screen.x - 1 : screen.x + 1, screen.y};
}

bool SendAndWait(DWORD flags, UINT message, HWND receiver)
{
    if (!SendMouse(flags, pointer))
        return false;
    bool arrived = false;
    return PumpUntil([&arrived] { return arrived; }, [&arrived, message, receiver](const MSG& msg)
                     { arrived = arrived || (msg.message == message && msg.hwnd == receiver); });
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

bool MoveMouse(POINT screen, const std::function<void(const MSG&)>& watch)
{
    for (int attempt = 0; attempt < MoveAttempts; ++attempt)
    {
        if (!SendMouse(0, screen))
            return false;
        const Settling settling = SettleOn(screen, watch);
        if (settling == Settling::Settled)
        {
            pointer = screen;
            return true;
        }
        // A move that leaves Wine's cursor where it is does not warp the X pointer; the
        // next one, coming from beside the target, does. The move aside settles first:
        // each warp brings a report of the point it left, which must not come last.
        if (settling == Settling::Unwarped &&
            (!SendMouse(0, Beside(screen)) ||
             SettleOn(Beside(screen), watch) == Settling::TimedOut))
            return false;
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

bool FlushPostedMessages(HWND hWnd, const std::function<void(const MSG&)>& watch)
{
    bool back = false;
    PostMessageW(hWnd, FlushMarker, 0, 0);
    return PumpUntil([&back] { return back; },
                     [&back, hWnd, &watch](const MSG& msg)
                     {
                         if (watch)
                             watch(msg);
                         back = back || (msg.message == FlushMarker && msg.hwnd == hWnd);
                     });
}
} // namespace toolkit_test
