#include "views/CategoryItemWindow.h"

#include <shellapi.h>

#include "catalogue/Catalogue.h"
#include "catalogue/Category.h"
#include "catalogue/EntryKind.h"
#include "catalogue/LaunchItem.h"
#include "resources/resource.h"
#include "toolkit/DpiScale.h"
#include "toolkit/SharedFont.h"
#include "views/EntryItemWindow.h"
#include "shell/ShellActions.h"
#include "views/RowHost.h"

namespace
{
constexpr int HeaderTextLeft = 6;
const COLORREF HeaderTextColour = RGB(0, 0, 0);
} // namespace

CCategoryItemWindow::CCategoryItemWindow(CCategory* category, HBITMAP background,
                                         const EntryKind* kind)
    : CListItemWindow(background), m_category(category), m_kind(kind)
{
}

LRESULT CCategoryItemWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_CREATE:
        OnCreate();
        break;
    case WM_PAINT:
        OnPaint();
        break;
    case WM_RBUTTONDOWN:
        // The command may have deleted this header.
        return OnRButtonDown(lParam);
    case WM_DROPFILES:
        return OnDropFiles(wParam);
    case WM_LISTITEMCANDROP:
        return OnListItemCanDrop();
    case WM_LISTITEMDROP:
        return OnListItemDrop(wParam);
    default:
        break;
    }
    return CommonWindowProc(msg, wParam, lParam);
}

void CCategoryItemWindow::OnReflectNotify(NMHDR* header, LRESULT*)
{
    if (header->code != TTN_GETDISPINFOW || !m_truncated)
        return;
    m_tipText = m_category->m_name;
    reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = &m_tipText[0];
}

bool CCategoryItemWindow::IsCategory() const
{
    return true;
}

std::wstring CCategoryItemWindow::GetCatalogueName() const
{
    return m_category->m_name;
}

void CCategoryItemWindow::PaintHeader()
{
    CScopedPaint paint(GetHwnd());
    const HDC dc = paint.Get();
    RECT client = {};
    GetClientRect(GetHwnd(), &client);
    PaintBackground(dc, client);

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, HeaderTextColour);
    CScopedSelect selectFont(dc, SharedFont(SharedFontStyle::Bold));
    std::wstring name = m_category->m_name;
    const int length = static_cast<int>(name.size());
    RECT text = client;
    text.left = CDpiScale::Current().Scale(HeaderTextLeft);
    DrawTextExW(dc, &name[0], length, &text, DT_WORD_ELLIPSIS, nullptr);
    SIZE size = {};
    GetTextExtentPoint32W(dc, name.c_str(), length, &size);
    m_truncated = text.right - text.left < size.cx;
}

void CCategoryItemWindow::RunMenuCommand(UINT command)
{
    switch (command)
    {
    case ID_ADD:
        if (IRowHost* host = IRowHost::Current())
            host->AddItem(GetHwnd(), GetKind(), m_category->m_name);
        break;
    case ID_EDIT:
        RenameWithDialog(GetKind());
        break;
    case ID_DELETE:
        // Deleting the category destroys this header: nothing of it is used afterwards.
        DeleteWithPrompt(GetKind());
        break;
    case ID_LAUNCH:
        LaunchAll();
        break;
    default:
        break;
    }
}

void CCategoryItemWindow::AddDroppedFile(const std::wstring&) {}

std::unique_ptr<CListItem> CCategoryItemWindow::MakeEntry(const EntryFields& fields) const
{
    return KindOf(GetKind()).make(fields, m_category, GetParent(GetHwnd()));
}

UINT CCategoryItemWindow::GetMenuId() const
{
    return m_kind ? m_kind->headerMenu : 0;
}

ListKind CCategoryItemWindow::GetKind() const
{
    return m_kind ? m_kind->list : ListKind::Applications;
}

bool CCategoryItemWindow::IsOwnRow(const CEntryItemWindow& row) const
{
    return m_kind && row.GetKind() == m_kind->list;
}

void CCategoryItemWindow::LaunchAll() const
{
    for (const auto& item : m_category->m_items)
        if (const auto* entry = dynamic_cast<const CLaunchItem*>(item.get()))
            entry->Launch();
    IRowHost::TellEntryLaunched();
}

void CCategoryItemWindow::RenameWithDialog(ListKind kind)
{
    if (IRowHost* host = IRowHost::Current())
        host->EditCategory(GetHwnd(), kind, *m_category);
}

// A copy of the name: deleting the category destroys this header and its category.
void CCategoryItemWindow::DeleteWithPrompt(ListKind kind)
{
    const std::wstring name = m_category->m_name;
    if (IRowHost* host = IRowHost::Current())
        host->DeleteCategory(GetHwnd(), kind, name);
}

// One change for the catalogue, which refuses it without loss and stores it once.
void CCategoryItemWindow::MoveItemHere(CListItem& item)
{
    CCatalogue* catalogue = CCatalogue::Current();
    if (!catalogue)
        return;
    std::unique_ptr<CListItem> moved = item.Clone();
    moved->m_category = m_category;
    catalogue->MoveItem(GetHwnd(), item, std::move(moved));
}

LRESULT CCategoryItemWindow::OnCreate()
{
    DragAcceptFiles(GetHwnd(), TRUE);
    return 0;
}

LRESULT CCategoryItemWindow::OnPaint()
{
    PaintHeader();
    return 0;
}

LRESULT CCategoryItemWindow::OnRButtonDown(LPARAM lParam)
{
    if (const UINT menuId = GetMenuId())
        RunMenuCommand(TrackContextMenu(menuId, lParam));
    return 0;
}

// Only the first path counts; a header without a menu only releases the drop.
LRESULT CCategoryItemWindow::OnDropFiles(WPARAM wParam)
{
    const auto drop = reinterpret_cast<HDROP>(wParam);
    const std::wstring path = GetMenuId() ? QueryDroppedFile(drop, 0) : std::wstring();
    DragFinish(drop);
    if (!path.empty())
        AddDroppedFile(path);
    return 0;
}

// The hand shows where a row can go.
LRESULT CCategoryItemWindow::OnListItemCanDrop() const
{
    if (!GetMenuId())
        return 0;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return 1;
}

// wParam names the dragged window by its handle; rows of other kinds are ignored.
LRESULT CCategoryItemWindow::OnListItemDrop(WPARAM wParam)
{
    auto* row = dynamic_cast<CEntryItemWindow*>(FromHandle(reinterpret_cast<HWND>(wParam)));
    if (row && IsOwnRow(*row))
        MoveItemHere(row->GetEntry());
    return 0;
}
