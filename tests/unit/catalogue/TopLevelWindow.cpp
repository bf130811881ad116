#include "tests/unit/catalogue/TopLevelWindow.h"

namespace catalogue_test
{
CTopLevelWindow::CTopLevelWindow(HWND owner, DWORD style)
    : m_hWnd(CreateWindowExW(0, L"STATIC", L"test window", style, 0, 0, 10, 10, owner, nullptr,
                             nullptr, nullptr))
{
}

CTopLevelWindow::~CTopLevelWindow()
{
    DestroyWindow(m_hWnd);
}
} // namespace catalogue_test
