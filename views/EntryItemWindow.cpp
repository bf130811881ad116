#include "views/EntryItemWindow.h"

#include <commctrl.h>
#include <shellapi.h>

#include <map>

#include "catalogue/Catalogue.h"
#include "catalogue/ListItem.h"
#include "resources/resource.h"
#include "shell/Clipboard.h"
#include "shell/FileProperties.h"
#include "toolkit/DpiScale.h"
#include "toolkit/SharedFont.h"
#include "toolkit/Scoped.h"
#include "toolkit/SharedImages.h"
#include "toolkit/Utilities.h"
#include "views/NameDrawing.h"
#include "store/Settings.h"
#include "views/RowHost.h"

namespace
{
constexpr int IconTop = 2;
constexpr int NameGap = 6;
constexpr int NameTop = 2;

// The shell's own list of small icons, shared by every program of the session: a row keeps
// only its index, so no row owns a GDI or USER object. Not destroyed: it is the shell's.
HIMAGELIST g_systemSmallIcons = nullptr;

int AskShellForIconIndex(const std::wstring& path, bool byType)
{
    SHFILEINFOW info = {};
    const UINT flags =
        SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (byType ? SHGFI_USEFILEATTRIBUTES : 0);
    const auto list = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(
        path.c_str(), byType ? FILE_ATTRIBUTE_NORMAL : 0, &info, sizeof(info), flags));
    if (!list)
        return CEntryItemWindow::NoIcon;
    g_systemSmallIcons = list;
    return info.iIcon;
}

// The shell's list holds its icons at the system DPI's size; at any other size (a monitor of
// another DPI) the icon is drawn scaled to it, so the row's measures hold.
void DrawSmallIcon(HDC dc, int index, int left, int top, int size)
{
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(g_systemSmallIcons, &width, &height);
    if (width == size && height == size)
    {
        ImageList_Draw(g_systemSmallIcons, index, dc, left, top, ILD_TRANSPARENT);
        return;
    }
    CScopedIcon icon(ImageList_GetIcon(g_systemSmallIcons, index, ILD_TRANSPARENT));
    DrawIconEx(dc, left, top, icon.Get(), size, size, 0, nullptr, DI_NORMAL);
}

// The type is the extension, or the whole name when it has none.
std::wstring TypeOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    const size_t dot = path.rfind(L'.');
    const bool hasExtension =
        dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash);
    return ToLower(hasExtension ? path.substr(dot) : path);
}

// Every file of a type has the same icon: the shell is asked once per type.
int IconIndexOfType(const std::wstring& path)
{
    static std::map<std::wstring, int> indexes;
    const std::wstring type = TypeOf(path);
    const auto found = indexes.find(type);
    if (found != indexes.end())
        return found->second;
    const int index = AskShellForIconIndex(path, true);
    indexes.emplace(type, index);
    return index;
}
} // namespace

CEntryItemWindow::CEntryItemWindow(const EntryKind& kind)
    : CListItemWindow(SharedBitmap(kind.rowBitmap)), m_kind(kind)
{
}

LRESULT CEntryItemWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_CREATE:
        if (m_kind.iconAtCreate)
            FetchOwnIcon();
        break;
    case WM_PAINT:
        FetchOwnIcon();
        return PaintEntry();
    case WM_RBUTTONDOWN:
        // The command may have deleted this row.
        return OnRButtonDown(lParam);
    case WM_LISTITEMCLICK:
        return OnListItemClick(lParam);
    default:
        break;
    }
    return CommonWindowProc(msg, wParam, lParam);
}

void CEntryItemWindow::RunMenuCommand(UINT command)
{
    if (command == ID_LAUNCH)
        LaunchAsClicked();
    else
        RunEntryCommand(command);
}

int CEntryItemWindow::DrawIcons(HDC dc) const
{
    return DrawFileIcon(dc);
}

LRESULT CEntryItemWindow::OnRButtonDown(LPARAM lParam)
{
    RunMenuCommand(TrackRowMenu(lParam));
    return 0;
}

LRESULT CEntryItemWindow::OnListItemClick(LPARAM)
{
    LaunchAsClicked();
    return 0;
}

void CEntryItemWindow::FetchOwnIcon()
{
    const CListItem& entry = GetEntry();
    if (entry.GetName().empty() || m_iconRevision == entry.GetPathRevision())
        return;
    m_iconRevision = entry.GetPathRevision();
    ++m_iconRequests;
    const std::wstring path = entry.GetPath();
    m_iconIndex = m_kind.iconByType ? IconIndexOfType(path) : AskShellForIconIndex(path, false);
}

void CEntryItemWindow::OnReflectNotify(NMHDR* header, LRESULT*)
{
    if (header->code != TTN_GETDISPINFOW)
        return;
    m_tipBuffer = GetTipText();
    if (!m_tipBuffer.empty())
        reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = &m_tipBuffer[0];
}

bool CEntryItemWindow::IsCategory() const
{
    return false;
}

std::wstring CEntryItemWindow::GetCatalogueName() const
{
    return GetEntry().GetName();
}

LRESULT CEntryItemWindow::PaintEntry()
{
    CScopedPaint paint(GetHwnd());
    const HDC dc = paint.Get();
    RECT client = {};
    GetClientRect(GetHwnd(), &client);
    PaintBackground(dc, client);
    const CDpiScale& scale = CDpiScale::Current();
    RECT bounds = {DrawIcons(dc) + scale.Scale(NameGap), scale.Scale(NameTop), client.right,
                   client.bottom};
    if (HasHotkeyMarker())
    {
        DrawHotkeyMarker(dc, client, GetEntry().HasActiveHotKey());
        bounds.right -= HotkeyMarkerInset();
    }
    const bool current = IsCurrentMatch(GetHwnd());
    m_truncated = DrawItemName(
        dc, GetEntry().GetName(), GetSearchText(), bounds,
        SharedFont(m_hover ? SharedFontStyle::Underlined : SharedFontStyle::Regular), current);
    if (current)
        DrawCurrentMatchFrame(dc, client);
    return 0;
}

bool CEntryItemWindow::RunEntryCommand(UINT command)
{
    CListItem& entry = GetEntry();
    switch (command)
    {
    case ID_EDIT:
        // A move to another category deletes this row: nothing of it is used afterwards.
        if (IRowHost* host = IRowHost::Current())
            host->EditItem(GetHwnd(), m_kind.list, entry);
        return true;
    case ID_COPY:
        CopyFilesToClipboard({entry.GetPath()});
        return true;
    case ID_DELETE:
        // Removing the entry destroys this window: nothing of it is used afterwards.
        DeleteItemWithPrompt(entry, m_kind.deletePrompt);
        return true;
    case ID_PROPERTIES:
        ShowFileProperties({entry.GetPath()});
        return true;
    default:
        return false;
    }
}

UINT CEntryItemWindow::TrackRowMenu(LPARAM lParam, const std::function<void(HMENU)>& prepare) const
{
    return TrackContextMenu(m_kind.rowMenu, lParam, prepare);
}

int CEntryItemWindow::DrawFileIcon(HDC dc) const
{
    const EntryIconColumn& column = m_kind.iconColumn;
    const CDpiScale& scale = CDpiScale::Current();
    const IRowHost* host = IRowHost::Current();
    if (host && !(host->GetSettings().*m_kind.showIcons))
        return scale.Scale(column.bare);
    if (m_iconIndex == NoIcon || !g_systemSmallIcons)
        return scale.Scale(column.empty);
    DrawSmallIcon(dc, m_iconIndex, scale.Scale(column.iconLeft), scale.Scale(IconTop),
                  scale.SmallIconSize());
    return scale.Scale(column.filled);
}

bool CEntryItemWindow::HasHotkeyMarker() const
{
    return GetEntry().GetHotKey() != 0;
}

std::wstring CEntryItemWindow::GetTipText() const
{
    std::wstring tip = m_truncated ? GetEntry().GetName() : std::wstring();
    const CCatalogue* catalogue = CCatalogue::Current();
    const std::wstring inactive =
        catalogue ? catalogue->DescribeInactiveHotKey(GetEntry()) : std::wstring();
    if (!inactive.empty())
        tip += (tip.empty() ? L"" : L" \u2013 ") + inactive;
    return tip;
}
