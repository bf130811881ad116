#include "views/ApplicationCategoryWindow.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ApplicationItem.h"
#include "views/ApplicationItemWindow.h"

LRESULT CApplicationCategoryWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
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

LRESULT CApplicationCategoryWindow::OnListItemCanDrop() const
{
    return AcceptDragCursor();
}

// wParam names the dragged window by its handle; anything but an application row is ignored.
LRESULT CApplicationCategoryWindow::OnListItemDrop(WPARAM wParam)
{
    auto* dragged =
        dynamic_cast<CApplicationItemWindow*>(FromHandle(reinterpret_cast<HWND>(wParam)));
    if (dragged)
        MoveItemHere(*dragged->m_item, ListKind::Applications);
    return 0;
}
