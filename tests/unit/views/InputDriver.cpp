#include "tests/unit/views/InputDriver.h"

#include <windowsx.h>

#include "tests/support/SettledInput.h"

namespace views_test
{
namespace
{
bool IsAt(POINT a, POINT b)
{
    return a.x == b.x && a.y == b.y;
}

// The move reached the receiver at the intended point; the desktop's stale reports of
// earlier points reach windows elsewhere.
bool IsCausedMove(const MSG& msg, HWND receiver, POINT screen)
{
    if (msg.message != WM_MOUSEMOVE || msg.hwnd != receiver)
        return false;
    POINT client = screen;
    ScreenToClient(receiver, &client);
    return IsAt({GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)}, client);
}
} // namespace

bool MoveMouseTo(POINT screen, HWND receiver, const std::function<void(const MSG&)>& also)
{
    bool arrived = false;
    const auto watch = [&arrived, receiver, screen, &also](const MSG& msg)
    {
        if (also)
            also(msg);
        arrived = arrived || IsCausedMove(msg, receiver, screen);
    };
    return toolkit_test::MoveMouse(screen, watch) && arrived;
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
