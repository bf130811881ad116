#include "views/EntryItemWindow.h"

#include <shellapi.h>

#include <map>

#include "app/MainWnd.h"
#include "catalogue/Catalogue.h"
#include "catalogue/ListItem.h"
#include "resources/resource.h"
#include "shell/Clipboard.h"
#include "shell/FileProperties.h"
#include "toolkit/Utilities.h"
#include "views/NameDrawing.h"

namespace
{
constexpr int IconTop = 2;
constexpr int IconSize = 16;
constexpr int NameGap = 6;
constexpr int NameTop = 2;

HICON AskShellForIcon(const std::wstring& path, bool byType)
{
    SHFILEINFOW info = {};
    const UINT flags = SHGFI_ICON | SHGFI_SMALLICON | (byType ? SHGFI_USEFILEATTRIBUTES : 0);
    if (!SHGetFileInfoW(path.c_str(), byType ? FILE_ATTRIBUTE_NORMAL : 0, &info, sizeof(info),
                        flags))
        return nullptr;
    return info.hIcon;
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

// Kept for the whole run, like the other shared row images.
std::map<std::wstring, HICON>& TypeIcons()
{
    static std::map<std::wstring, HICON> icons;
    return icons;
}

HICON IconOfType(const std::wstring& path)
{
    const std::wstring type = TypeOf(path);
    const auto found = TypeIcons().find(type);
    if (found != TypeIcons().end())
        return found->second;
    const HICON icon = AskShellForIcon(path, true);
    TypeIcons().emplace(type, icon);
    return icon;
}

bool IsTypeIcon(HICON icon)
{
    for (const auto& entry : TypeIcons())
        if (entry.second == icon)
            return true;
    return false;
}
} // namespace

void CRowIconTraits::Close(HICON icon)
{
    if (!IsTypeIcon(icon))
        DestroyIcon(icon);
}

CEntryItemWindow::CEntryItemWindow(HBITMAP background) : CListItemWindow(background) {}

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
    RECT bounds = {DrawIcons(dc) + NameGap, NameTop, client.right, client.bottom};
    if (HasHotkeyMarker())
    {
        DrawHotkeyMarker(dc, client, GetEntry().HasActiveHotKey());
        bounds.right -= HotkeyMarkerInset;
    }
    const bool current = IsCurrentMatch(GetHwnd());
    m_truncated = DrawItemName(dc, GetEntry().GetName(), GetSearchText(), bounds,
                               SharedListFont(m_hover ? ListFont::Link : ListFont::Name), current);
    if (current)
        DrawCurrentMatchFrame(dc, client);
    return 0;
}

bool CEntryItemWindow::RunEntryCommand(UINT command, ListKind kind, const wchar_t* deletePrompt)
{
    CListItem& entry = GetEntry();
    switch (command)
    {
    case ID_EDIT:
        // A move to another category deletes this row: nothing of it is used afterwards.
        if (CCatalogueDialogs* dialogs = CMainWnd::Dialogs())
            dialogs->EditItem(GetHwnd(), kind, entry);
        return true;
    case ID_COPY:
        CopyFilesToClipboard({entry.GetPath()});
        return true;
    case ID_DELETE:
        // Removing the entry destroys this window: nothing of it is used afterwards.
        DeleteItemWithPrompt(entry, deletePrompt);
        return true;
    case ID_PROPERTIES:
        ShowFileProperties({entry.GetPath()});
        return true;
    default:
        return false;
    }
}

void CEntryItemWindow::FetchFileIcon(const std::wstring& path, bool byType)
{
    if (m_iconPath == path)
        return;
    m_iconPath = path;
    ++m_iconRequests;
    if (byType)
    {
        // Every file of a type has the same icon: the shell is asked once per type, and
        // the rows share it rather than each holding a copy.
        m_fileIcon.Reset(IconOfType(path));
        return;
    }
    m_fileIcon.Reset(AskShellForIcon(path, false));
}

int CEntryItemWindow::DrawFileIcon(HDC dc, const IconColumn& column,
                                   bool CSettings::*showIcons) const
{
    const CMainWnd* mainWnd = CMainWnd::Instance();
    if (mainWnd && !(mainWnd->m_settings.*showIcons))
        return column.bare;
    if (!m_fileIcon.Get())
        return column.empty;
    DrawIconEx(dc, column.iconLeft, IconTop, m_fileIcon.Get(), IconSize, IconSize, 0, nullptr,
               DI_NORMAL);
    return column.filled;
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
