#include "views/ShortcutItemWindow.h"

#include "catalogue/ShortcutItem.h"
#include "views/NameDrawing.h"

namespace
{
// Where the name starts while no file icon is drawn in front of it.
constexpr int NameLeft = 12;
constexpr int NameTop = 2;
} // namespace

CShortcutItemWindow::CShortcutItemWindow(CShortcutItem* item, HBITMAP background)
    : CListItemWindow(background), m_item(item), m_font(CreateListFont(0, false)),
      m_linkFont(CreateListFont(0, true))
{
}

LRESULT CShortcutItemWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
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

void CShortcutItemWindow::OnReflectNotify(NMHDR* header, LRESULT*)
{
    if (header->code != TTN_GETDISPINFOW || !m_truncated)
        return;
    m_tipBuffer = m_item->GetName();
    reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = &m_tipBuffer[0];
}

bool CShortcutItemWindow::IsCategory() const
{
    return false;
}

LRESULT CShortcutItemWindow::OnPaint()
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

// "Hide after launch" is for applications; opening a shortcut leaves the window alone.
LRESULT CShortcutItemWindow::OnListItemClick()
{
    m_item->Launch();
    return 0;
}
