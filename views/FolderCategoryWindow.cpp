#include "views/FolderCategoryWindow.h"

#include "catalogue/Catalogue.h"
#include "catalogue/FolderItem.h"
#include "views/FolderItemWindow.h"

LRESULT CFolderCategoryWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
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

LRESULT CFolderCategoryWindow::OnListItemCanDrop() const
{
    return AcceptDragCursor();
}

// wParam names the dragged window by its handle; anything but a folder row is ignored.
LRESULT CFolderCategoryWindow::OnListItemDrop(WPARAM wParam)
{
    auto* dragged = dynamic_cast<CFolderItemWindow*>(FromHandle(reinterpret_cast<HWND>(wParam)));
    if (dragged)
        MoveItemHere(*dragged->m_item, ListKind::Folders);
    return 0;
}
