#include "views/FolderItemWindow.h"

#include <shellapi.h>

#include "app/MainWnd.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FolderItem.h"
#include "resources/resource.h"
#include "shell/FileProperties.h"
#include "views/NameDrawing.h"

namespace
{
const wchar_t DeletePrompt[] = L"Delete folder from the list?";
constexpr int IconLeft = 12;
constexpr int IconTop = 2;
constexpr int IconSize = 16;
constexpr int NameGap = 6;
constexpr int NameTop = 2;
constexpr int BareIconColumn = 6;
constexpr int EmptyIconColumn = 12;
constexpr int FilledIconColumn = 34;

bool ShowingFolderIcons()
{
    const CMainWnd* mainWnd = CMainWnd::Instance();
    return !mainWnd || mainWnd->m_settings.m_showFolderIcons;
}
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

void CFolderItemWindow::RunMenuCommand(UINT command)
{
    switch (command)
    {
    case ID_LAUNCH:
        m_item->Launch();
        break;
    case ID_EDIT:
        // A move to another category deletes this row: nothing of it is used afterwards.
        if (CCatalogue* catalogue = CCatalogue::Current())
            catalogue->EditItemWithDialog(GetHwnd(), ListKind::Folders, *m_item);
        break;
    case ID_DELETE:
        // Removing the entry destroys this window: nothing of it is used afterwards.
        DeleteItemWithPrompt(*m_item, DeletePrompt);
        break;
    case ID_PROPERTIES:
        ShowFileProperties({m_item->GetPath()});
        break;
    default:
        break;
    }
}

LRESULT CFolderItemWindow::OnPaint()
{
    FetchFileIcon();
    CScopedPaint paint(GetHwnd());
    RECT client = {};
    GetClientRect(GetHwnd(), &client);
    PaintBackground(paint.Get(), client);
    const RECT bounds = {DrawIcon(paint.Get()) + NameGap, NameTop, client.right, client.bottom};
    DrawItemName(paint.Get(), m_item->GetName(), GetSearchText(), bounds,
                 m_hover ? m_linkFont.Get() : m_font.Get());
    return 0;
}

LRESULT CFolderItemWindow::OnRButtonDown(LPARAM lParam)
{
    RunMenuCommand(TrackContextMenu(IDM_FOLDER_ITEM_MENU, lParam));
    return 0;
}

// Opening a folder is no launch of a program: the main window stays.
LRESULT CFolderItemWindow::OnListItemClick()
{
    m_item->Launch();
    return 0;
}

// The shell reads the real folder; one that gives no icon is asked again next time.
void CFolderItemWindow::FetchFileIcon()
{
    if (m_fileIcon.Get())
        return;
    SHFILEINFOW info = {};
    if (SHGetFileInfoW(m_item->GetPath().c_str(), 0, &info, sizeof(info),
                       SHGFI_ICON | SHGFI_SMALLICON))
        m_fileIcon.Reset(info.hIcon);
}

// Returns the right edge of the icon column, where the name's gap begins.
int CFolderItemWindow::DrawIcon(HDC dc) const
{
    if (!ShowingFolderIcons())
        return BareIconColumn;
    if (!m_fileIcon.Get())
        return EmptyIconColumn;
    DrawIconEx(dc, IconLeft, IconTop, m_fileIcon.Get(), IconSize, IconSize, 0, nullptr, DI_NORMAL);
    return FilledIconColumn;
}
