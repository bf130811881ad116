#include "views/ShortcutCategoryWindow.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ShortcutItem.h"
#include "views/ShortcutItemWindow.h"

LRESULT CShortcutCategoryWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_LISTITEMCANDROP:
        return OnListItemCanDrop();
    case WM_LISTITEMDROP:
        return OnListItemDrop(wParam);
    default:
        return CCategoryItemWindow::WindowProc(msg, wParam, lParam);
    }
}

LRESULT CShortcutCategoryWindow::OnListItemCanDrop() const
{
    return AcceptDragCursor();
}

// wParam names the dragged window by its handle; anything but a shortcut row is ignored.
LRESULT CShortcutCategoryWindow::OnListItemDrop(WPARAM wParam)
{
    auto* dragged = dynamic_cast<CShortcutItemWindow*>(FromHandle(reinterpret_cast<HWND>(wParam)));
    if (dragged)
        MoveItemHere(*dragged->m_item, ListKind::Shortcuts);
    return 0;
}
