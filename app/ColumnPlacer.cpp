#include "app/ColumnPlacer.h"

#include <algorithm>

#include "toolkit/DpiScale.h"

int CColumnPlacer::ColumnWidth()
{
    return CDpiScale::Current().Scale(140);
}

int CColumnPlacer::ColumnStep()
{
    return CDpiScale::Current().Scale(150);
}

int CColumnPlacer::RowHeight()
{
    return CDpiScale::Current().Scale(22);
}

CColumnPlacer::CColumnPlacer(int pageWidth, int rowGap, int top)
    : m_pageWidth(pageWidth), m_rowGap(rowGap), m_columnWidth(ColumnWidth()),
      m_columnStep(ColumnStep()), m_rowHeight(RowHeight()), m_y(top), m_bandBottom(top)
{
}

POINT CColumnPlacer::NextColumn()
{
    if (m_open)
        m_x += m_columnStep;
    m_open = true;
    if (m_x + m_columnWidth > m_pageWidth)
    {
        m_y = m_bandBottom + m_rowGap;
        m_x = 0;
        m_bandBottom = m_y;
    }
    m_nextY = m_y + m_rowHeight;
    m_bandBottom = std::max(m_bandBottom, m_nextY);
    return {m_x, m_y};
}

POINT CColumnPlacer::NextRow()
{
    const POINT place = {m_x, m_nextY};
    m_nextY += m_rowHeight;
    m_bandBottom = std::max(m_bandBottom, m_nextY);
    return place;
}
