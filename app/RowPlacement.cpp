#include "app/RowPlacement.h"

#include <algorithm>

#include "app/ColumnPlacer.h"

namespace
{
// About what a window thread moves in two milliseconds under Wine, where moving a row in
// sight among thousands costs up to 0.3 ms.
constexpr size_t SliceRows = 6;

// A layout asks this of every row: one call rather than a mapping per row.
RECT RowRectIn(HWND row, POINT origin)
{
    RECT rect = {};
    GetWindowRect(row, &rect);
    OffsetRect(&rect, -origin.x, -origin.y);
    return rect;
}

bool Overlaps(const RECT& a, const RECT& b)
{
    RECT common = {};
    return IntersectRect(&common, &a, &b) != FALSE;
}

bool HasParent(const std::pair<HWND, POINT>& move, HWND page)
{
    return GetParent(move.first) == page;
}
} // namespace

void CRowPlacement::Begin(HWND page, bool sliced)
{
    DropWaitingOf(page);
    m_page = page;
    m_sliced = sliced && m_owner != nullptr;
    m_repaintsPage = false;
    GetClientRect(page, &m_visible);
    m_origin = {};
    ClientToScreen(page, &m_origin);
}

// A row not shown yet (a new one) is shown at once.
void CRowPlacement::Place(HWND row, POINT place)
{
    const RECT current = RowRectIn(row, m_origin);
    const bool shown = (GetWindowLongPtrW(row, GWL_STYLE) & WS_VISIBLE) != 0;
    // A row of the size of another scale (the DPI changed) is sized again too.
    const bool sized = current.right - current.left == CColumnPlacer::ColumnWidth() &&
                       current.bottom - current.top == CColumnPlacer::RowHeight();
    if (shown && sized && current.left == place.x && current.top == place.y)
        return;
    if (!m_sliced || !shown)
    {
        MoveRow(row, place);
        return;
    }
    const RECT target = {place.x, place.y, place.x + CColumnPlacer::ColumnWidth(),
                         place.y + CColumnPlacer::RowHeight()};
    if (m_inSight.empty() && m_outOfSight.empty())
        SetTimer(m_owner, TimerId, 0, nullptr);
    if (Overlaps(current, m_visible) || Overlaps(target, m_visible))
    {
        m_inSight.emplace_back(row, place);
        m_repaint.insert(m_page);
        m_repaintsPage = true;
    }
    else
        m_outOfSight.emplace_back(row, place);
}

void CRowPlacement::End()
{
    if (m_sliced)
        OnTimer();
}

void CRowPlacement::OnTimer()
{
    size_t left = SliceRows;
    for (; left > 0 && !m_inSight.empty(); --left, m_inSight.pop_front())
        MoveRow(m_inSight.front().first, m_inSight.front().second);
    if (m_inSight.empty())
    {
        for (HWND page : m_repaint)
            RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        m_repaint.clear();
    }
    for (; left > 0 && !m_outOfSight.empty(); --left, m_outOfSight.pop_front())
        MoveRow(m_outOfSight.front().first, m_outOfSight.front().second);
    StopTimerWhenDone();
}

void CRowPlacement::Finish()
{
    while (!m_inSight.empty() || !m_outOfSight.empty() || !m_repaint.empty())
        OnTimer();
}

// A row may have gone with its category meanwhile.
void CRowPlacement::MoveRow(HWND row, POINT place) const
{
    if (IsWindow(row))
        SetWindowPos(row, nullptr, place.x, place.y, CColumnPlacer::ColumnWidth(),
                     CColumnPlacer::RowHeight(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_SHOWWINDOW);
}

void CRowPlacement::DropWaitingOf(HWND page)
{
    const auto ofPage = [page](const Move& move) { return HasParent(move, page); };
    m_inSight.erase(std::remove_if(m_inSight.begin(), m_inSight.end(), ofPage), m_inSight.end());
    m_outOfSight.erase(std::remove_if(m_outOfSight.begin(), m_outOfSight.end(), ofPage),
                       m_outOfSight.end());
    StopTimerWhenDone();
}

void CRowPlacement::StopTimerWhenDone()
{
    if (m_inSight.empty() && m_outOfSight.empty() && m_repaint.empty() && m_owner)
        KillTimer(m_owner, TimerId);
}
