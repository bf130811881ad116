#include "tests/support/unit/HostWindow.h"

namespace test_support
{
namespace
{
const wchar_t HostClassName[] = L"PathmoorTestHost";

void RegisterHostClass()
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // Never freed: the class lives as long as the process.
    windowClass.hbrBackground = CreateSolidBrush(CHostWindow::Colour);
    windowClass.lpszClassName = HostClassName;
    RegisterClassW(&windowClass);
}
} // namespace

const COLORREF CHostWindow::Colour = RGB(199, 206, 226);

CHostWindow::CHostWindow(const RECT& screenRect)
{
    static const bool registered = (RegisterHostClass(), true);
    (void)registered;
    m_hWnd = CreateWindowExW(WS_EX_TOPMOST, HostClassName, L"host", WS_POPUP | WS_CLIPCHILDREN,
                             screenRect.left, screenRect.top, screenRect.right - screenRect.left,
                             screenRect.bottom - screenRect.top, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ShowWindow(m_hWnd, SW_SHOW);
    UpdateWindow(m_hWnd);
}

CHostWindow::~CHostWindow()
{
    DestroyWindow(m_hWnd);
}

void PlaceWindow(HWND child, int x, int y)
{
    SetWindowPos(child, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    InvalidateRect(child, nullptr, FALSE);
    UpdateWindow(child);
}
} // namespace test_support
