#include "app/ShortcutsToolbar.h"

#include "app/ChildWindowClass.h"
#include "resources/resource.h"
#include "toolkit/Application.h"
#include "toolkit/Scoped.h"

namespace
{
constexpr int TileWidth = 20;
constexpr int TileHeight = 22;
} // namespace

CShortcutsToolbar::~CShortcutsToolbar()
{
    if (m_background != nullptr)
        DeleteObject(m_background);
}

bool CShortcutsToolbar::Create(const RECT& rect, HWND parent)
{
    m_nextButtonX = 0;
    if (!RegisterChildWindowClass(L"ShortcutsToolBar"))
        return false;
    const HINSTANCE instance = CApplication::Instance().GetInstanceHandle();
    m_background = LoadBitmapW(instance, MAKEINTRESOURCEW(IDB_APPLICATION_ROW));
    HWND window = CreateWindowExW(
        0, L"ShortcutsToolBar", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect.left, rect.top,
        rect.right - rect.left, rect.bottom - rect.top, parent, nullptr, instance, this);
    if (window == nullptr)
        return false;
    InvalidateRect(window, nullptr, FALSE);
    return true;
}

LRESULT CShortcutsToolbar::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_PAINT:
        OnPaint();
        break;
    }
    return CWindow::WindowProc(msg, wParam, lParam);
}

void CShortcutsToolbar::OnPaint()
{
    CScopedPaint paint(GetHwnd());
    RECT client = {};
    GetClientRect(GetHwnd(), &client);
    // Tiles up to and including the one the right edge cuts.
    for (int i = 0; i <= client.right / TileWidth; ++i)
        DrawStateW(paint.Get(), nullptr, nullptr, reinterpret_cast<LPARAM>(m_background), 0,
                   i * TileWidth, 0, TileWidth, TileHeight, DST_BITMAP);
}
