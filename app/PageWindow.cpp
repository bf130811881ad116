#include "app/PageWindow.h"

#include <algorithm>

#include "app/ChildWindowClass.h"
#include "app/ColumnPlacer.h"
#include "app/MainWnd.h"
#include "app/RowPlacement.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Category.h"
#include "catalogue/EntryKind.h"
#include "resources/resource.h"
#include "toolkit/Utilities.h"
#include "views/CategoryItemWindow.h"
#include "toolkit/Application.h"
#include "toolkit/DpiScale.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/Scoped.h"

namespace
{
constexpr UINT AddCategoryCommand = 1;

// The bottom of the columns as the layout would place the sorted list in that width.
// Every change of the catalogue is laid out, so the windows' texts follow renames here.
void PlaceListWindow(CRowPlacement& placement, CListItemWindow& window, POINT place)
{
    window.SyncWindowText();
    placement.Place(window.GetHwnd(), place);
}

int MeasureColumns(const CCategorizedList& list, int width, int rowGap)
{
    CColumnPlacer placer(width, rowGap);
    PassOver(list, placer);
    return placer.GetBottom();
}
} // namespace

void PassOver(const CCategorizedList& list, CColumnPlacer& placer)
{
    for (const auto& category : list.m_categories)
    {
        if (category->m_window == nullptr)
            continue;
        placer.NextColumn();
        for (const auto& item : category->m_items)
            if (item->m_window != nullptr)
                placer.NextRow();
    }
}

void PaintPageBackground(HWND window)
{
    CScopedPaint paint(window);
    RECT client = {};
    GetClientRect(window, &client);
    CScopedGdiObject<HBRUSH> brush(CreateSolidBrush(PageBackgroundColour));
    FillRect(paint.Get(), &client, brush.Get());
}

void ForwardToolTipRequest(NMHDR* header, LRESULT* result)
{
    if (header->code != TTN_GETDISPINFOW)
        return;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    if (CWindow* tool =
            CApplication::Instance().FindWindowObject(reinterpret_cast<HWND>(info->lParam)))
        tool->OnReflectNotify(header, result);
}

CPageWindow::CPageWindow(CCategorizedList* list, int kind) : m_list(list), m_kind(kind) {}

CPageWindow::~CPageWindow() = default;

bool CPageWindow::Create(const RECT& rect, HWND parent)
{
    return CreateChild(L"Page", KindOf(static_cast<ListKind>(m_kind)).pageTitle,
                       WS_CHILD | WS_CLIPCHILDREN, rect, parent);
}

bool CPageWindow::CreateChild(const wchar_t* className, const wchar_t* title, DWORD style,
                              const RECT& rect, HWND parent)
{
    if (!RegisterChildWindowClass(className))
        return false;
    HWND window = CreateWindowExW(0, className, title, style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                                  CApplication::Instance().GetInstanceHandle(), this);
    if (window == nullptr)
        return false;
    m_toolTip.Create(window);
    m_toolTip.Activate(true);
    return true;
}

void CPageWindow::AddEntryTool(CListItemWindow& window)
{
    window.m_toolTip = m_toolTip.GetHwnd();
    m_toolTip.AddRelayedTool(window.GetHwnd(), LPSTR_TEXTCALLBACKW);
}

void CPageWindow::AddListTools()
{
    for (const auto& category : m_list->m_categories)
    {
        if (category->m_window != nullptr)
            AddEntryTool(*category->m_window);
        for (const auto& item : category->m_items)
            if (item->m_window != nullptr)
                AddEntryTool(*item->m_window);
    }
}

void CPageWindow::BeginLoad()
{
    m_loadPlacer = MakePlacer();
    m_loadOverflowed = false;
}

// At start-up with many rows, a second pass moving and showing each one costs as much as
// creating them.
void CPageWindow::ShowLoadedCategory(CCategory& category, CRowPlacement& placement)
{
    const POINT header = m_loadPlacer.NextColumn();
    if (category.m_window != nullptr)
    {
        CRowPlacement headerPlacement;
        headerPlacement.Begin(GetHwnd(), false);
        headerPlacement.Place(category.m_window->GetHwnd(), header);
        AddEntryTool(*category.m_window);
    }
    for (const auto& item : category.m_items)
    {
        const POINT place = m_loadPlacer.NextRow();
        item->CreateItemWindow(GetHwnd(), &place);
        if (item->m_window != nullptr)
            AddEntryTool(*item->m_window);
    }
    if (!m_loadOverflowed && m_loadPlacer.GetBottom() > GetClientHeight())
    {
        m_loadOverflowed = true;
        Layout(placement, false);
        m_loadPlacer = MakePlacer();
        PassOver(*m_list, m_loadPlacer);
    }
}

LRESULT CPageWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(lParam);
        return 0;
    case WM_VSCROLL:
        OnVScroll(wParam);
        return 0;
    case WM_MOUSEWHEEL:
        OnMouseWheel(wParam);
        return 0;
    default:
        return CWindow::WindowProc(msg, wParam, lParam);
    }
}

void CPageWindow::OnNotify(NMHDR* header, LRESULT* result)
{
    ForwardToolTipRequest(header, result);
}

void CPageWindow::OnPaint()
{
    PaintPageBackground(GetHwnd());
}

void CPageWindow::OnRButtonDown(LPARAM lParam)
{
    const CScopedMenu menu(CreatePopupMenu());
    if (!menu || !AppendMenuW(menu.Get(), MF_STRING, AddCategoryCommand, L"Add category"))
        return;
    const UINT command =
        TrackPopupCommand(menu.Get(), ScreenPointFromLParam(GetHwnd(), lParam), GetHwnd());
    if (command == AddCategoryCommand)
        AddCategory();
}

void CPageWindow::AddCategory()
{
    if (CCatalogueDialogs* dialogs = CMainWnd::Dialogs())
        dialogs->AddCategory(GetHwnd(), static_cast<ListKind>(m_kind));
}

int CPageWindow::GetRowGap() const
{
    return CColumnPlacer::RowHeight();
}

bool CPageWindow::HasScrollBar() const
{
    return (GetWindowLongPtrW(GetHwnd(), GWL_STYLE) & WS_VSCROLL) != 0;
}

int CPageWindow::GetClientHeight() const
{
    RECT client = {};
    GetClientRect(GetHwnd(), &client);
    return client.bottom;
}

void CPageWindow::FitScrollBar()
{
    RECT client = {};
    GetClientRect(GetHwnd(), &client);
    const bool shown = HasScrollBar();
    const int barWidth = CDpiScale::Current().SystemMetric(SM_CXVSCROLL);
    const int fullWidth = client.right + (shown ? barWidth : 0);
    int height = MeasureColumns(*m_list, fullWidth, GetRowGap());
    const bool needed = height > client.bottom;
    // The bar takes its width from the columns, which may then wrap further down.
    if (needed)
        height = MeasureColumns(*m_list, fullWidth - barWidth, GetRowGap());
    m_contentHeight = needed ? height : 0;
    m_scrollTop =
        std::clamp(m_scrollTop, 0, std::max(0, m_contentHeight - static_cast<int>(client.bottom)));
    if (needed)
    {
        SCROLLINFO info = {sizeof(info),
                           SIF_RANGE | SIF_PAGE | SIF_POS,
                           0,
                           height - 1,
                           static_cast<UINT>(client.bottom),
                           m_scrollTop,
                           0};
        // Setting the bar redraws it, which costs milliseconds over thousands of rows;
        // most edits leave it as it is.
        SCROLLINFO shown = {sizeof(shown), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
        if (!GetScrollInfo(GetHwnd(), SB_VERT, &shown) || shown.nMin != info.nMin ||
            shown.nMax != info.nMax || shown.nPage != info.nPage || shown.nPos != info.nPos)
            SetScrollInfo(GetHwnd(), SB_VERT, &info, TRUE);
    }
    if (needed != shown)
        ShowScrollBar(GetHwnd(), SB_VERT, needed);
}

CColumnPlacer CPageWindow::MakePlacer() const
{
    RECT client = {};
    GetClientRect(GetHwnd(), &client);
    return CColumnPlacer(client.right, GetRowGap(), -GetScrollTop());
}

void CPageWindow::Layout(CRowPlacement& placement, bool sliced)
{
    m_list->SortCategories();
    FitScrollBar();
    CColumnPlacer placer = MakePlacer();
    placement.Begin(GetHwnd(), sliced);
    for (const auto& category : m_list->m_categories)
    {
        if (category->m_window == nullptr)
            continue;
        PlaceListWindow(placement, *category->m_window, placer.NextColumn());
        for (const auto& item : category->m_items)
            if (item->m_window != nullptr)
                PlaceListWindow(placement, *item->m_window, placer.NextRow());
    }
    placement.End();
    // The rows were placed without redrawing; the page and all of them are repainted
    // with one request, which costs a fraction of one per row. Where rows in sight move
    // a slice at a time, the placement makes that request once they are in place.
    if (!m_list->m_categories.empty() && !placement.Repaints(GetHwnd()))
        RedrawWindow(GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CPageWindow::ScrollTo(int top)
{
    top = std::clamp(top, 0, std::max(0, m_contentHeight - GetClientHeight()));
    if (top == m_scrollTop)
        return;
    m_scrollTop = top;
    if (CMainWnd* mainWnd = CMainWnd::Instance())
        mainWnd->LayoutPage(*m_list);
}

void CPageWindow::ScrollIntoView(HWND row)
{
    RECT rect = {};
    GetWindowRect(row, &rect);
    MapWindowPoints(nullptr, GetHwnd(), reinterpret_cast<POINT*>(&rect), 2);
    if (rect.top < 0)
        ScrollTo(m_scrollTop + rect.top);
    else if (rect.bottom > GetClientHeight())
        ScrollTo(m_scrollTop + rect.bottom - GetClientHeight());
}

void CPageWindow::OnVScroll(WPARAM wParam)
{
    const int page = GetClientHeight();
    switch (LOWORD(wParam))
    {
    case SB_LINEUP:
        ScrollTo(m_scrollTop - CColumnPlacer::RowHeight());
        break;
    case SB_LINEDOWN:
        ScrollTo(m_scrollTop + CColumnPlacer::RowHeight());
        break;
    case SB_PAGEUP:
        ScrollTo(m_scrollTop - page);
        break;
    case SB_PAGEDOWN:
        ScrollTo(m_scrollTop + page);
        break;
    case SB_TOP:
        ScrollTo(0);
        break;
    case SB_BOTTOM:
        ScrollTo(m_contentHeight);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
    {
        // The 32-bit position: the 16 bits of wParam end at 65535 pixels.
        SCROLLINFO info = {sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(GetHwnd(), SB_VERT, &info);
        ScrollTo(info.nTrackPos);
        break;
    }
    default:
        break;
    }
}

void CPageWindow::OnMouseWheel(WPARAM wParam)
{
    if (m_contentHeight == 0)
        return;
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    // "One screen at a time" comes as a huge line count.
    const int step = lines == WHEEL_PAGESCROLL
                         ? GetClientHeight()
                         : static_cast<int>(lines) * CColumnPlacer::RowHeight();
    m_wheelRest += GET_WHEEL_DELTA_WPARAM(wParam);
    const int notches = m_wheelRest / WHEEL_DELTA;
    m_wheelRest %= WHEEL_DELTA;
    ScrollTo(m_scrollTop - notches * step);
}
