#include "views/FolderItemWindow.h"

#include <commctrl.h>

#include "catalogue/Catalogue.h"
#include "catalogue/FolderItem.h"

CFolderItemWindow::CFolderItemWindow(CFolderItem* item)
    : CEntryItemWindow(KindOf(ListKind::Folders)), m_item(item)
{
}

// The path is shown whether or not the name fits, on top of everything.
void CFolderItemWindow::OnReflectNotify(NMHDR* header, LRESULT* result)
{
    CEntryItemWindow::OnReflectNotify(header, result);
    if (header->code != TTN_GETDISPINFOW)
        return;
    SetWindowPos(header->hwndFrom, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

CListItem& CFolderItemWindow::GetEntry() const
{
    return *m_item;
}

std::wstring CFolderItemWindow::GetTipText() const
{
    return m_item->GetPath();
}

void CFolderItemWindow::LaunchAsClicked()
{
    m_item->Launch();
}
