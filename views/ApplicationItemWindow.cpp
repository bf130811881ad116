#include "views/ApplicationItemWindow.h"

#include "app/MainWnd.h"
#include "catalogue/ApplicationItem.h"
#include "views/NameDrawing.h"

namespace
{
// Where the name starts while no state or file icon is drawn in front of it.
constexpr int NameLeft = 22;
constexpr int NameTop = 2;

void MinimizeIfHidingAfterLaunch()
{
    CMainWnd* mainWnd = CMainWnd::Instance();
    if (mainWnd && mainWnd->m_settings.m_hideAfterLaunch)
        ShowWindow(mainWnd->GetHwnd(), SW_MINIMIZE);
}
} // namespace

CApplicationItemWindow::CApplicationItemWindow(CApplicationItem* item, HBITMAP background)
    : CListItemWindow(background), m_item(item), m_font(CreateListFont(0, false)),
      m_linkFont(CreateListFont(0, true))
{
}

LRESULT CApplicationItemWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_PAINT:
        return OnPaint();
    case WM_LISTITEMCLICK:
        OnListItemClick();
        break;
    default:
        break;
    }
    return CommonWindowProc(msg, wParam, lParam);
}

void CApplicationItemWindow::OnReflectNotify(NMHDR* header, LRESULT*)
{
    if (header->code != TTN_GETDISPINFOW)
        return;
    m_tipBuffer = m_item->GetName();
    if (m_truncated)
        reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = &m_tipBuffer[0];
}

bool CApplicationItemWindow::IsCategory() const
{
    return false;
}

LRESULT CApplicationItemWindow::OnPaint()
{
    CScopedPaint paint(GetHwnd());
    RECT client = {};
    GetClientRect(GetHwnd(), &client);
    PaintBackground(paint.Get(), client);
    const RECT bounds = {NameLeft, NameTop, client.right, client.bottom};
    m_truncated = DrawItemName(paint.Get(), m_item->GetName(), GetSearchText(), bounds,
                               m_hover ? m_linkFont.Get() : m_font.Get());
    return 0;
}

LRESULT CApplicationItemWindow::OnListItemClick()
{
    m_item->Launch();
    MinimizeIfHidingAfterLaunch();
    return 0;
}
