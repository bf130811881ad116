#pragma once

#include <windows.h>

#include <deque>
#include <set>
#include <utility>

// Moves the header and entry windows of a page to their places. Moving and showing
// in one call, without redrawing, halves the window-manager work; a row already in
// place is not moved. After an edit the moves wait and are made a slice at a time from
// a timer, rows that are or will be in sight first, so that a layout of thousands of
// rows does not keep the window from answering: under Wine every move is a round trip
// to the wine server. The first slice is made at once, so a layout of a few moves ends
// as it returns. The page is repainted once the rows in sight are in place.
class CRowPlacement
{
public:
    static constexpr UINT_PTR TimerId = 2;

    explicit CRowPlacement(HWND owner = nullptr) : m_owner(owner) {}
    // The window whose timer makes the waiting moves.
    void SetOwner(HWND owner) { m_owner = owner; }

    // Starts placing the rows of page; its moves still waiting are dropped, since this
    // layout gives every row its place again. Without an owner nothing waits.
    void Begin(HWND page, bool sliced);
    void Place(HWND row, POINT place);
    // Makes the first slice at once: a layout of a few moves is done when it returns.
    void End();
    // Makes one slice of the waiting moves; the timer stops once none waits.
    void OnTimer();
    // Makes every waiting move now.
    void Finish();
    // Rows of page in sight moved since Begin: the page is or will be repainted.
    bool Repaints(HWND page) const { return page == m_page && m_repaintsPage; }

private:
    using Move = std::pair<HWND, POINT>;

    void MoveRow(HWND row, POINT place) const;
    void DropWaitingOf(HWND page);
    void StopTimerWhenDone();

    HWND m_owner;
    HWND m_page = nullptr;
    RECT m_visible = {};
    // Where the page's client area begins on the screen.
    POINT m_origin = {};
    bool m_sliced = false;
    bool m_repaintsPage = false;
    std::deque<Move> m_inSight;
    std::deque<Move> m_outOfSight;
    // Pages to repaint once their rows in sight are placed.
    std::set<HWND> m_repaint;
};
