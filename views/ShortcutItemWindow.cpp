#include "views/ShortcutItemWindow.h"

#include <shellapi.h>

#include "catalogue/Catalogue.h"
#include "catalogue/ShortcutItem.h"
#include "resources/resource.h"
#include "toolkit/Application.h"
#include "views/NameDrawing.h"

namespace
{
const wchar_t DeletePrompt[] = L"Delete shortcut from the list?";
// The name starts 6 pixels after the column.
constexpr CEntryItemWindow::IconColumn FileIconColumn = {12, 6, 12, 28};

} // namespace

CShortcutItemWindow::CShortcutItemWindow(CShortcutItem* item, HBITMAP background)
    : CEntryItemWindow(background), m_item(item)
{
}

LRESULT CShortcutItemWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_CREATE:
        OnCreate();
        break;
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

CListItem& CShortcutItemWindow::GetEntry() const
{
    return *m_item;
}

void CShortcutItemWindow::RunMenuCommand(UINT command)
{
    // "Hide after launch" is for applications; opening a shortcut leaves the window alone.
    if (command == ID_LAUNCH)
        m_item->Launch();
    else
        RunEntryCommand(command, ListKind::Shortcuts, DeletePrompt);
}

// The real file is asked, so a document shows its type's icon and a program its own; an
// edited path is asked again at the next paint.
void CShortcutItemWindow::FetchOwnIcon()
{
    if (!m_item->GetName().empty())
        FetchFileIcon(m_item->GetPath(), false);
}

LRESULT CShortcutItemWindow::OnCreate()
{
    FetchOwnIcon();
    return 0;
}

LRESULT CShortcutItemWindow::OnPaint()
{
    FetchOwnIcon();
    return PaintEntry();
}

int CShortcutItemWindow::DrawIcons(HDC dc) const
{
    return DrawFileIcon(dc, FileIconColumn, &CSettings::m_showShortcutIcons);
}

LRESULT CShortcutItemWindow::OnRButtonDown(LPARAM lParam)
{
    RunMenuCommand(TrackContextMenu(IDM_SHORTCUT_ITEM_MENU, lParam));
    return 0;
}

// "Hide after launch" is for applications; opening a shortcut leaves the window alone.
LRESULT CShortcutItemWindow::OnListItemClick()
{
    LaunchAsClicked();
    return 0;
}

void CShortcutItemWindow::LaunchAsClicked()
{
    m_item->Launch();
}
