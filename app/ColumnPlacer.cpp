#include "app/ColumnPlacer.h"

#include <algorithm>

CColumnPlacer::CColumnPlacer(int pageWidth, int rowGap, int top)
    : m_pageWidth(pageWidth), m_rowGap(rowGap), m_y(top), m_bandBottom(top)
{
}

POINT CColumnPlacer::NextColumn()
{
    if (m_open)
        m_x += ColumnStep;
    m_open = true;
    if (m_x + ColumnWidth > m_pageWidth)
    {
        m_y = m_bandBottom + m_rowGap;
        m_x = 0;
        m_bandBottom = m_y;
    }
    m_nextY = m_y + RowHeight;
    m_bandBottom = std::max(m_bandBottom, m_nextY);
    return {m_x, m_y};
}

POINT CColumnPlacer::NextRow()
{
    const POINT place = {m_x, m_nextY};
    m_nextY += RowHeight;
    m_bandBottom = std::max(m_bandBottom, m_nextY);
    return place;
}
