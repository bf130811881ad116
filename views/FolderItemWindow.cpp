#include "views/FolderItemWindow.h"

#include <shellapi.h>

#include "catalogue/Catalogue.h"
#include "catalogue/FolderItem.h"
#include "resources/resource.h"
#include "views/NameDrawing.h"

namespace
{
const wchar_t DeletePrompt[] = L"Delete folder from the list?";
// The name starts 6 pixels after the column.
constexpr CEntryItemWindow::IconColumn FolderIconColumn = {12, 6, 12, 34};

} // namespace

CFolderItemWindow::CFolderItemWindow(CFolderItem* item, HBITMAP background)
    : CEntryItemWindow(background), m_item(item)
{
}

LRESULT CFolderItemWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_PAINT:
        return OnPaint();
    case WM_RBUTTONDOWN:
        // The command may have deleted this row.
        return OnRButtonDown(lParam);
    case WM_LISTITEMCLICK:
        OnListItemClick();
        break;
    default:
        break;
    }
    return CommonWindowProc(msg, wParam, lParam);
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

void CFolderItemWindow::RunMenuCommand(UINT command)
{
    if (command == ID_LAUNCH)
        m_item->Launch();
    else
        RunEntryCommand(command, ListKind::Folders, DeletePrompt);
}

// The shell reads the real folder, at the first paint and after the path was edited.
LRESULT CFolderItemWindow::OnPaint()
{
    FetchFileIcon(m_item->GetPath(), false);
    return PaintEntry();
}

LRESULT CFolderItemWindow::OnRButtonDown(LPARAM lParam)
{
    RunMenuCommand(TrackContextMenu(IDM_FOLDER_ITEM_MENU, lParam));
    return 0;
}

// Opening a folder is no launch of a program: the main window stays.
LRESULT CFolderItemWindow::OnListItemClick()
{
    LaunchAsClicked();
    return 0;
}

void CFolderItemWindow::LaunchAsClicked()
{
    m_item->Launch();
}

int CFolderItemWindow::DrawIcons(HDC dc) const
{
    return DrawFileIcon(dc, FolderIconColumn, &CSettings::m_showFolderIcons);
}
