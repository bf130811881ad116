#include "app/ShortcutsToolbar.h"

#include "app/ChildWindowClass.h"
#include "app/FoldersPane.h"
#include "app/MainWnd.h"
#include "app/PageWindow.h"
#include "catalogue/Catalogue.h"
#include "resources/resource.h"
#include "toolkit/Application.h"
#include "toolkit/DpiScale.h"
#include "toolkit/SharedFont.h"
#include "toolkit/SharedImages.h"
#include "toolkit/TilePainting.h"
#include "toolkit/Utilities.h"

namespace
{
constexpr int ButtonWidth = 26;
constexpr int ButtonHeight = 20;
constexpr int SearchBoxGap = 5;
constexpr int SearchBoxTop = 2;
constexpr int SearchBoxWidth = 160;
constexpr int SearchBoxHeight = 18;

void PlaceAt(HWND window, int left, int top, int width, int height)
{
    SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Rows draw the highlight from the search text when they paint; nothing moves.
void RepaintRows(HWND parent)
{
    if (parent)
        RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}
} // namespace

bool CShortcutsToolbar::Create(const RECT& rect, HWND parent)
{
    m_nextButtonX = 0;
    if (!RegisterChildWindowClass(L"ShortcutsToolBar"))
        return false;
    const HINSTANCE instance = CApplication::Instance().GetInstanceHandle();
    m_background = SharedBitmap(IDB_APPLICATION_ROW);
    HWND window = CreateWindowExW(
        0, L"ShortcutsToolBar", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect.left, rect.top,
        rect.right - rect.left, rect.bottom - rect.top, parent, nullptr, instance, this);
    if (window == nullptr)
        return false;
    m_toolTip.Create(window);
    m_toolTip.Activate(true);
    m_addGroupButton.reset(AddButton(LoadResString(IDS_ADD_GROUP), IDI_ADD_GROUP));
    m_addItemButton.reset(AddButton(LoadResString(IDS_ADD_ITEM), IDI_ADD_ITEM));
    if (!m_addGroupButton || !m_addItemButton || !CreateSearchBox())
        return false;
    InvalidateRect(window, nullptr, FALSE);
    return true;
}

CFlatButton* CShortcutsToolbar::AddButton(const std::wstring& text, int iconId)
{
    m_buttonTexts.push_back(text);
    m_buttonIcons.push_back(iconId);
    auto button = std::make_unique<CFlatButton>();
    const CDpiScale& scale = CDpiScale::Current();
    const RECT rect = {m_nextButtonX, 0, m_nextButtonX + scale.Scale(ButtonWidth),
                       scale.Scale(ButtonHeight)};
    m_nextButtonX = rect.right;
    if (!button->Create(GetHwnd(), rect, iconId, text))
        return nullptr;
    m_toolTip.AddTool(button->GetHwnd(), LPSTR_TEXTCALLBACKW);
    return button.release();
}

void CShortcutsToolbar::FocusSearchBox()
{
    SetFocus(m_searchEdit.GetHwnd());
    m_searchEdit.SendMessage(EM_SETSEL, 0, -1);
}

bool CShortcutsToolbar::CreateSearchBox()
{
    // No border: the box sits flat on the toolbar's tiles.
    const HWND box =
        CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 0, 0,
                        GetHwnd(), nullptr, CApplication::Instance().GetInstanceHandle(), nullptr);
    if (box == nullptr || !m_searchEdit.Attach(box))
        return false;
    m_searchEdit.SendMessage(EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(L"Enter item name"));
    PlaceControls();
    return true;
}

// The buttons side by side from the left edge and the search box after them, at the
// current scale: once made, and again whenever the DPI changes.
void CShortcutsToolbar::PlaceControls()
{
    const CDpiScale& scale = CDpiScale::Current();
    int left = 0;
    for (const auto* button : {m_addGroupButton.get(), m_addItemButton.get()})
    {
        if (!button)
            continue;
        PlaceAt(button->GetHwnd(), left, 0, scale.Scale(ButtonWidth), scale.Scale(ButtonHeight));
        left += scale.Scale(ButtonWidth);
    }
    m_nextButtonX = left;
    if (!m_searchEdit.GetHwnd())
        return;
    PlaceAt(m_searchEdit.GetHwnd(), left + scale.Scale(SearchBoxGap), scale.Scale(SearchBoxTop),
            scale.Scale(SearchBoxWidth), scale.Scale(SearchBoxHeight));
    const HFONT font = SharedFont(SharedFontStyle::Regular);
    if (reinterpret_cast<HFONT>(m_searchEdit.SendMessage(WM_GETFONT, 0, 0)) != font)
        m_searchEdit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

LRESULT CShortcutsToolbar::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_PAINT:
        OnPaint();
        break;
    case WM_SIZE:
        PlaceControls();
        break;
    case WM_DRAWITEM:
        return OnDrawItem(wParam, lParam);
    case WM_COMMAND:
        OnCommand(wParam, lParam);
        break;
    case WM_FLATBUTTONCLICK:
        OnFlatButtonClick(wParam);
        break;
    default:
        break;
    }
    return CWindow::WindowProc(msg, wParam, lParam);
}

void CShortcutsToolbar::OnNotify(NMHDR* header, LRESULT* result)
{
    ForwardToolTipRequest(header, result);
}

void CShortcutsToolbar::OnPaint()
{
    CScopedPaint paint(GetHwnd());
    RECT client = {};
    GetClientRect(GetHwnd(), &client);
    PaintTiles(paint.Get(), m_background, client, TileEdge::CutLastTile);
}

LRESULT CShortcutsToolbar::OnDrawItem(WPARAM wParam, LPARAM lParam)
{
    // The flat buttons draw themselves.
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    return SendMessageW(item->hwndItem, WM_DRAWITEM, wParam, lParam);
}

void CShortcutsToolbar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == EN_CHANGE && reinterpret_cast<HWND>(lParam) == m_searchEdit.GetHwnd())
        OnSearchChanged();
}

void CShortcutsToolbar::OnFlatButtonClick(WPARAM wParam)
{
    CMainWnd* mainWnd = CMainWnd::Instance();
    if (mainWnd == nullptr)
        return;
    // The visible page's index is its list's kind; the folders list has no page here.
    const auto kind = static_cast<ListKind>(mainWnd->GetCurrentPage());
    const HWND button = reinterpret_cast<HWND>(wParam);
    if (m_addGroupButton && button == m_addGroupButton->GetHwnd())
        mainWnd->Dialogs()->AddCategory(GetHwnd(), kind);
    else if (m_addItemButton && button == m_addItemButton->GetHwnd())
        mainWnd->Dialogs()->AddItem(GetHwnd(), kind, L"");
}

void CShortcutsToolbar::OnSearchChanged()
{
    CMainWnd* mainWnd = CMainWnd::Instance();
    if (mainWnd == nullptr)
        return;
    mainWnd->m_searchText = m_searchEdit.GetText();
    // Other text, other matches: Enter starts from the first one again.
    mainWnd->m_currentMatch = nullptr;
    if (const CPageWindow* page = mainWnd->GetPage(mainWnd->GetCurrentPage()))
        RepaintRows(page->GetHwnd());
    if (const CFoldersPane* pane = mainWnd->GetFoldersPane())
        RepaintRows(pane->GetHwnd());
}
