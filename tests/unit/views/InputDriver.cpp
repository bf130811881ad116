#include "tests/unit/views/InputDriver.h"

#include <windowsx.h>

namespace views_test
{
namespace
{
constexpr UINT FlushMarker = WM_APP + 0x3A7;

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

// Absolute coordinates are on a 0 to 65535 scale across the primary screen; the
// rounding up lands on the intended pixel.
LONG Normalised(LONG coordinate, int screenSize)
{
    return static_cast<LONG>((static_cast<LONGLONG>(coordinate) * 65536 + screenSize - 1) /
                             screenSize);
}

constexpr int MoveAttempts = 10;
// How long an injected move must hold before it counts.
constexpr DWORD SettleMilliseconds = 30;

POINT CursorPosition()
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    return cursor;
}

bool IsAt(POINT a, POINT b)
{
    return a.x == b.x && a.y == b.y;
}

// The message that the input caused arrives at the intended point with the cursor there;
// stale pointer reports of the display (see MoveMouseTo) reach windows at other points.
bool IsCausedMessage(const MSG& msg, UINT message, HWND receiver, POINT screen)
{
    if (msg.message != message || msg.hwnd != receiver)
        return false;
    POINT client = screen;
    ScreenToClient(receiver, &client);
    return IsAt({GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)}, client) &&
           IsAt(CursorPosition(), screen);
}

bool SendMouseInput(DWORD flags, POINT screen)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return SendInput(1, &input, sizeof(input)) == 1;
}

bool SendButton(DWORD flags, UINT message, HWND receiver)
{
    const POINT screen = CursorPosition();
    if (!SendMouseInput(flags, screen))
        return false;
    bool arrived = false;
    return PumpUntil([&arrived] { return arrived; },
                     [&arrived, message, receiver, screen](const MSG& msg) {
                         arrived = arrived || IsCausedMessage(msg, message, receiver, screen);
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

// Under Wine's virtual desktop an injected move may be followed by a report of the
// pointer's previous position from the display, which pulls the cursor back there. A move
// counts once the cursor has held the point for a moment; until then it is sent again.
bool MoveMouseTo(POINT screen, HWND receiver, const std::function<void(const MSG&)>& also)
{
    bool arrived = false;
    const auto watch = [&arrived, receiver, screen, &also](const MSG& msg) {
        if (also)
            also(msg);
        arrived = arrived || IsCausedMessage(msg, WM_MOUSEMOVE, receiver, screen);
    };
    for (int attempt = 0; attempt < MoveAttempts; ++attempt)
    {
        if (!SendMouseInput(MOUSEEVENTF_MOVE, screen))
            return false;
        PumpUntil([&arrived] { return arrived; }, watch, 1000);
        const bool pulledBack =
            PumpUntil([screen] { return !IsAt(CursorPosition(), screen); }, watch,
                      SettleMilliseconds);
        if (arrived && !pulledBack)
            return true;
    }
    return false;
}

bool PressLeftButton(HWND receiver)
{
    return SendButton(MOUSEEVENTF_LEFTDOWN, WM_LBUTTONDOWN, receiver);
}

bool ReleaseLeftButton(HWND receiver)
{
    return SendButton(MOUSEEVENTF_LEFTUP, WM_LBUTTONUP, receiver);
}

bool FlushPostedMessages(HWND hWnd, const std::function<void(const MSG&)>& watch)
{
    bool back = false;
    PostMessageW(hWnd, FlushMarker, 0, 0);
    return PumpUntil([&back] { return back; },
                     [&back, hWnd, &watch](const MSG& msg) {
                         if (watch)
                             watch(msg);
                         back = back || (msg.message == FlushMarker && msg.hwnd == hWnd);
                     });
}

std::vector<COLORREF> CaptureClient(HWND hWnd)
{
    RECT client = {};
    GetClientRect(hWnd, &client);
    std::vector<COLORREF> pixels;
    const HDC dc = GetDC(hWnd);
    for (int y = 0; y < client.bottom; ++y)
    {
        for (int x = 0; x < client.right; ++x)
            pixels.push_back(GetPixel(dc, x, y));
    }
    ReleaseDC(hWnd, dc);
    return pixels;
}
} // namespace views_test

