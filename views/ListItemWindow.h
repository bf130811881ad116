#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/Window.h"

class CListItem;

// Sent during a drag to the window under the cursor: nonzero when it accepts a drop there
// and has set the cursor.
constexpr UINT WM_LISTITEMCANDROP = WM_USER + 2;
// Sent at the end of a drag to the window under the cursor; wParam is the handle of the
// dragged row window. The receiver may destroy the dragged row.
constexpr UINT WM_LISTITEMDROP = WM_USER + 3;
// Posted by a list window to itself for a click; wParam and lParam are the button-up's.
constexpr UINT WM_LISTITEMCLICK = WM_USER + 2000;

// Base of the header and row windows of the catalogue, all of the class "ListItem",
// 140 by 22 pixels: background tiles, hover, press and click, and dragging of rows.
class CListItemWindow : public CWindow
{
public:
    explicit CListItemWindow(HBITMAP background);

    // Once, before the first list window; an existing class counts as success.
    static void RegisterListItemClass();
    // Hidden at (0, 0) for the layout to place and show, or shown at shownAt.
    bool Create(HWND parent, const POINT* shownAt = nullptr);
    // The handling all list windows share; it answers every other message with 0.
    LRESULT CommonWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Headers are never dragged.
    virtual bool IsCategory() const = 0;
    // The entry's or category's name, which is also the window's text: assistive
    // technology and automation read the catalogue from that.
    virtual std::wstring GetCatalogueName() const;
    // Sets the window's text anew after a rename; a name already shown costs no call.
    void SyncWindowText();

    // The list window object of a handle, or null.
    static CListItemWindow* FromHandle(HWND hWnd);

    HBITMAP m_background;
    bool m_hover = false;
    POINT m_pressPoint = {0, 0};
    std::wstring m_tipText;
    // The tooltip control this window is a tool of, which it passes its mouse messages on to.
    HWND m_toolTip = nullptr;
    bool m_dragging = false;
    // The window's text as last set.
    std::wstring m_windowText;

    // A left-button press in a list window is in progress; that window holds the capture.
    static bool s_buttonDown;
    // The stroke across the marker of a hotkey that is not active.
    static constexpr COLORREF InactiveHotkeyColour = RGB(220, 0, 0);

protected:
    // Shows the menu resource's first popup at the click's point (client coordinates in
    // lParam) and returns the chosen command, 0 for none. prepare may change the popup.
    UINT TrackContextMenu(UINT menuId, LPARAM lParam,
                          const std::function<void(HMENU)>& prepare = nullptr) const;
    // The row menu's "&Delete": the entry goes, with this window, once the user agrees.
    void DeleteItemWithPrompt(CListItem& item, const wchar_t* prompt) const;
    void PaintBackground(HDC dc, const RECT& client) const;
    void Repaint() const;
    // The 9 by 9 marker of a row whose entry has a hotkey, drawn 12 pixels from the right
    // edge (at 96 DPI); a red stroke crosses it out while the hotkey is not active.
    static void DrawHotkeyMarker(HDC dc, const RECT& client, bool active);
    // Where the name of a row with the marker must end: so far from the right edge.
    static int HotkeyMarkerInset();

private:
    static LRESULT CALLBACK ListItemWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(LPARAM lParam);
    LRESULT OnTimer();
    LRESULT OnSetCursor();
    LRESULT OnLButtonDown(LPARAM lParam);
    LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnCaptureChanged(LPARAM lParam);

    void StartDragIfMoved(POINT point);
    void ShowDropFeedback(POINT point) const;
    void DropAt(POINT point);
    void StartHover(POINT point);
    // The child of the parent window under a point of this window; the parent itself
    // when no child is there, null outside the parent.
    HWND FindDropTarget(POINT point) const;
    bool ClientContains(POINT point) const;
};
