#pragma once

#include <windows.h>

#include "app/ColumnPlacer.h"
#include "toolkit/ToolTipControl.h"
#include "toolkit/Window.h"

class CCategorizedList;
class CCategory;
class CListItemWindow;
class CRowPlacement;

// One page under the tab strip, or the folders pane: the parent of the category and entry
// windows of one list, which gives them their tooltips, on the page colour; a right click
// on its background adds a category.
class CPageWindow : public CWindow
{
public:
    CPageWindow(CCategorizedList* list, int kind);
    ~CPageWindow() override;

    bool Create(const RECT& rect, HWND parent);
    // Gives a header or entry window its tooltip, whose text the window supplies on
    // request; the window passes its mouse messages on to it.
    void AddEntryTool(CListItemWindow& window);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnNotify(NMHDR* header, LRESULT* result) override;

    // The space between bands of columns.
    virtual int GetRowGap() const;
    // How far the columns are scrolled up: the layout places them that much higher.
    int GetScrollTop() const { return m_scrollTop; }
    // Before a layout: shows the vertical scroll bar only while the columns of the sorted
    // list reach below the page, which narrows the room for them, and keeps the scroll
    // position inside the range.
    void FitScrollBar();
    // A placer for the list over the page's width, its gap between bands and its scroll.
    CColumnPlacer MakePlacer() const;
    // Sorts the list's categories and places its headers and rows in columns through
    // placement (sliced: a slice at a time, those in sight first); the page and its rows
    // are then repainted with one request.
    void Layout(CRowPlacement& placement, bool sliced);
    // Scrolls the columns so that the row is wholly inside the page.
    void ScrollIntoView(HWND row);
    bool HasScrollBar() const;
    int GetClientHeight() const;

    // While the store loads: each category read is shown where the layout will place it,
    // its header and rows made there with their tooltips, so that no second pass moves
    // them. Columns that come to reach below the page bring its scroll bar, which may
    // narrow them: the rows shown so far move once, through placement, and the rest are
    // made in their final places.
    void BeginLoad();
    void ShowLoadedCategory(CCategory& category, CRowPlacement& placement);
    // Every header and row of the list gets its tooltip (for rows made elsewhere).
    void AddListTools();

    CCategorizedList* m_list;
    CToolTipControl m_toolTip;
    int m_kind;

protected:
    bool CreateChild(const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect,
                     HWND parent);
    // Only clicks on the background itself arrive here; the rows take theirs.
    virtual void OnRButtonDown(LPARAM lParam);
    void AddCategory();

private:
    void OnPaint();
    void OnVScroll(WPARAM wParam);
    void OnMouseWheel(WPARAM wParam);
    // Lays the list out again at the new position, kept inside the range.
    void ScrollTo(int top);

    int m_scrollTop = 0;
    // Height of the columns while they overflow the page; 0 while they fit.
    int m_contentHeight = 0;
    // Wheel turns below one notch, kept for the next ones.
    int m_wheelRest = 0;
    // Where the next loaded category goes, and whether the load has overflowed the page.
    CColumnPlacer m_loadPlacer{0, 0};
    bool m_loadOverflowed = false;
};

// Background colour of the pages, the tab strip and the folders pane.
constexpr COLORREF PageBackgroundColour = RGB(199, 206, 226);

// Fills a window's client area in the page colour (WM_PAINT of pages and the folders pane).
void PaintPageBackground(HWND window);
// The placer once it has placed the headers and rows of the list, in the list's order,
// without moving any window.
void PassOver(const CCategorizedList& list, CColumnPlacer& placer);
// Passes a tooltip's text request on to the object of the window it is shown for.
void ForwardToolTipRequest(NMHDR* header, LRESULT* result);
