#include "views/CategoryItemWindow.h"

#include <shellapi.h>

#include "catalogue/Catalogue.h"
#include "catalogue/Category.h"

namespace
{
constexpr int HeaderTextLeft = 6;
const COLORREF HeaderTextColour = RGB(0, 0, 0);
} // namespace

CCategoryItemWindow::CCategoryItemWindow(CCategory* category, HBITMAP background)
    : CListItemWindow(background), m_category(category), m_font(CreateListFont(FW_BOLD, false))
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
    case WM_DROPFILES:
        OnDropFiles(wParam);
        break;
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

void CCategoryItemWindow::PaintHeader()
{
    CScopedPaint paint(GetHwnd());
    const HDC dc = paint.Get();
    RECT client = {};
    GetClientRect(GetHwnd(), &client);
    PaintBackground(dc, client);

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, HeaderTextColour);
    CScopedSelect selectFont(dc, m_font.Get());
    std::wstring name = m_category->m_name;
    const int length = static_cast<int>(name.size());
    RECT text = client;
    text.left = HeaderTextLeft;
    DrawTextExW(dc, &name[0], length, &text, DT_WORD_ELLIPSIS, nullptr);
    SIZE size = {};
    GetTextExtentPoint32W(dc, name.c_str(), length, &size);
    m_truncated = text.right - text.left < size.cx;
}

void CCategoryItemWindow::RenameWithDialog(ListKind kind)
{
    if (CCatalogue* catalogue = CCatalogue::Current())
        catalogue->EditCategoryWithDialog(GetHwnd(), kind, *m_category);
}

// A copy of the name: deleting the category destroys this header and its category.
void CCategoryItemWindow::DeleteWithPrompt(ListKind kind)
{
    const std::wstring name = m_category->m_name;
    if (CCatalogue* catalogue = CCatalogue::Current())
        catalogue->DeleteCategoryWithPrompt(kind, name, GetHwnd());
}

LRESULT CCategoryItemWindow::AcceptDragCursor() const
{
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return 1;
}

// The old entry goes only after the new one is in: a refused move loses nothing. While
// the old entry lives it holds the hotkey, so the new one, which keeps the refused word,
// registers again once the old one is gone.
void CCategoryItemWindow::MoveItemHere(CListItem& item, ListKind kind)
{
    CCatalogue* catalogue = CCatalogue::Current();
    if (!catalogue)
        return;
    std::unique_ptr<CListItem> moved = item.Clone();
    moved->m_category = m_category;
    CListItem* added = moved.get();
    if (!catalogue->AddItemIfUnique(GetHwnd(), std::move(moved), kind))
        return;
    catalogue->RemoveItem(item);
    added->RegisterItemHotKey();
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

// A header that takes files handles WM_DROPFILES itself; here the drop is only released.
LRESULT CCategoryItemWindow::OnDropFiles(WPARAM wParam)
{
    DragFinish(reinterpret_cast<HDROP>(wParam));
    return 0;
}
