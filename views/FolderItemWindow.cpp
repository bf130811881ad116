#include "views/FolderItemWindow.h"

#include "catalogue/FolderItem.h"
#include "views/NameDrawing.h"

namespace
{
// Where the name starts while no folder icon is drawn in front of it.
constexpr int NameLeft = 12;
constexpr int NameTop = 2;
} // namespace

CFolderItemWindow::CFolderItemWindow(CFolderItem* item, HBITMAP background)
    : CListItemWindow(background), m_item(item), m_font(CreateListFont(0, false)),
      m_linkFont(CreateListFont(0, true))
{
}

LRESULT CFolderItemWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
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

// The path is shown whether or not the name fits, on top of everything.
void CFolderItemWindow::OnReflectNotify(NMHDR* header, LRESULT*)
{
    if (header->code != TTN_GETDISPINFOW)
        return;
    m_tipBuffer = m_item->GetPath();
    reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = &m_tipBuffer[0];
    SetWindowPos(header->hwndFrom, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

bool CFolderItemWindow::IsCategory() const
{
    return false;
}

LRESULT CFolderItemWindow::OnPaint()
{
    CScopedPaint paint(GetHwnd());
    RECT client = {};
    GetClientRect(GetHwnd(), &client);
    PaintBackground(paint.Get(), client);
    const RECT bounds = {NameLeft, NameTop, client.right, client.bottom};
    DrawItemName(paint.Get(), m_item->GetName(), GetSearchText(), bounds,
                 m_hover ? m_linkFont.Get() : m_font.Get());
    return 0;
}

LRESULT CFolderItemWindow::OnListItemClick()
{
    m_item->Launch();
    return 0;
}
