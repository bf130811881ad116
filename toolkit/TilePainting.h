#pragma once

#include <windows.h>

enum class TileEdge
{
    WholeTilesOnly, // what is left right of the last whole tile stays as it was
    CutLastTile,    // the tile that the right edge cuts is drawn too
};

// Fills an area with a background tile: a bitmap of vertical gradient, the same in every
// column. At its own height it is copied side by side; at any other height (another DPI)
// the gradient is drawn across the whole width at that height from the tile's own rows,
// so it stays smooth rather than stretched.
void PaintTiles(HDC dc, HBITMAP tile, const RECT& area, TileEdge edge);
