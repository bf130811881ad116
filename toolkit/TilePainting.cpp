#include "toolkit/TilePainting.h"

#include <map>
#include <vector>

#include "toolkit/Scoped.h"
#include "toolkit/Utilities.h"

namespace
{
// The colour of each row of the tile's first column, top first. Kept by handle: the tiles
// are the program's shared bitmaps, held for the whole run.
const std::vector<COLORREF>& RowColours(HDC dc, HBITMAP tile, int width, int height)
{
    static std::map<HBITMAP, std::vector<COLORREF>> colours;
    std::vector<COLORREF>& rows = colours[tile];
    if (!rows.empty())
        return rows;
    BITMAPINFO info = TopDownBitmapInfo(width, height);
    std::vector<RGBQUAD> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    if (GetDIBits(dc, tile, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) !=
        height)
        return rows;
    // The first column stands for every column.
    for (size_t y = 0; y < static_cast<size_t>(height); ++y)
    {
        const RGBQUAD& pixel = pixels[y * static_cast<size_t>(width)];
        rows.push_back(RGB(pixel.rgbRed, pixel.rgbGreen, pixel.rgbBlue));
    }
    return rows;
}

BYTE Between(BYTE from, BYTE to, int step, int steps)
{
    return static_cast<BYTE>((from * (steps - step) + to * step + steps / 2) / steps);
}

// Row y of a gradient of the given height, read off the tile's rows by linear
// interpolation between the two nearest.
COLORREF GradientAt(const std::vector<COLORREF>& rows, int y, int height)
{
    const int last = static_cast<int>(rows.size()) - 1;
    if (height <= 1 || last <= 0)
        return rows.front();
    const int span = height - 1;
    const int position = y * last;
    const int index = position / span;
    const int step = position % span;
    const COLORREF from = rows[static_cast<size_t>(index)];
    const COLORREF to = rows[static_cast<size_t>(index < last ? index + 1 : index)];
    return RGB(Between(GetRValue(from), GetRValue(to), step, span),
               Between(GetGValue(from), GetGValue(to), step, span),
               Between(GetBValue(from), GetBValue(to), step, span));
}

void CopyTiles(HDC dc, HBITMAP tile, const BITMAP& size, const RECT& area, TileEdge edge)
{
    const CScopedMemoryDC tileDc(CreateCompatibleDC(dc));
    if (!tileDc)
        return;
    const CScopedSelect selected(tileDc.Get(), tile);
    const int end = edge == TileEdge::CutLastTile ? area.right : area.right - size.bmWidth + 1;
    for (int x = area.left; x < end; x += size.bmWidth)
        BitBlt(dc, x, area.top, size.bmWidth, size.bmHeight, tileDc.Get(), 0, 0, SRCCOPY);
}
} // namespace

void PaintTiles(HDC dc, HBITMAP tile, const RECT& area, TileEdge edge)
{
    BITMAP size = {};
    if (!tile || !GetObjectW(tile, sizeof(size), &size) || size.bmHeight <= 0)
        return;
    const int height = area.bottom - area.top;
    if (height == size.bmHeight)
        return CopyTiles(dc, tile, size, area, edge);
    const std::vector<COLORREF>& rows = RowColours(dc, tile, size.bmWidth, size.bmHeight);
    if (rows.empty())
        return;
    // The stock DC brush takes each row's colour without a brush made per row.
    const CScopedSelect brush(dc, GetStockObject(DC_BRUSH));
    for (int y = 0; y < height; ++y)
    {
        SetDCBrushColor(dc, GradientAt(rows, y, height));
        PatBlt(dc, area.left, area.top + y, area.right - area.left, 1, PATCOPY);
    }
}
