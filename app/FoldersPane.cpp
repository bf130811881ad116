#include "app/FoldersPane.h"

#include "app/ChildWindowClass.h"
#include "app/PageWindow.h"
#include "toolkit/Application.h"

CFoldersPane::CFoldersPane(CFolderCategorizedList* list) : m_list(list) {}

CFoldersPane::~CFoldersPane() = default;

bool CFoldersPane::Create(const RECT& rect, HWND parent)
{
    if (!RegisterChildWindowClass(L"FoldersPane"))
        return false;
    HWND window =
        CreateWindowExW(0, L"FoldersPane", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect.left,
                        rect.top, rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                        CApplication::Instance().GetInstanceHandle(), this);
    if (window == nullptr)
        return false;
    m_toolTip.Create(window);
    m_toolTip.Activate(true);
    return true;
}

LRESULT CFoldersPane::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_PAINT:
        OnPaint();
        return 0;
    default:
        return CWindow::WindowProc(msg, wParam, lParam);
    }
}

void CFoldersPane::OnNotify(NMHDR* header, LRESULT* result)
{
    ForwardToolTipRequest(header, result);
}

void CFoldersPane::OnPaint()
{
    PaintPageBackground(GetHwnd());
}
