#pragma once

#include <windows.h>

// Places category headers and their rows in columns side by side, wrapping a
// column that would not fit below the tallest column of the band before it.
// The layout and the creation of rows at start-up walk a list with it in the
// same order, so both arrive at the same places.
class CColumnPlacer
{
public:
    // A row's measures at the current scale: 140 by 22, columns every 150, at 96 DPI.
    static int ColumnWidth();
    static int ColumnStep();
    static int RowHeight();

    // rowGap: the space between bands of columns; top: where the first band starts.
    CColumnPlacer(int pageWidth, int rowGap, int top = 0);

    // The place of the next category's header; its rows follow below it.
    POINT NextColumn();
    // The place of the next row of the current category.
    POINT NextRow();
    // The bottom of everything placed so far.
    int GetBottom() const { return m_bandBottom; }

private:
    int m_pageWidth;
    int m_rowGap;
    int m_columnWidth;
    int m_columnStep;
    int m_rowHeight;
    bool m_open = false;
    int m_x = 0;
    int m_y = 0;
    int m_nextY = 0;
    int m_bandBottom = 0;
};
