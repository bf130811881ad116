#include "tests/unit/views/TiledRow.h"

#include <gtest/gtest.h>

#include "toolkit/Application.h"

namespace views_test
{
namespace
{
constexpr int RowWidth = 140;
constexpr int RowHeight = 22;
constexpr int TileWidth = 20;

COLORREF PixelAt(const std::vector<COLORREF>& pixels, int x, int y)
{
    return pixels[static_cast<size_t>(y * RowWidth + x)];
}
} // namespace

std::vector<COLORREF> TiledRow(UINT bitmapId)
{
    const HDC dc = CreateCompatibleDC(nullptr);
    const HDC screen = GetDC(nullptr);
    const HBITMAP canvas = CreateCompatibleBitmap(screen, RowWidth, RowHeight);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, canvas);
    const HBITMAP tile =
        LoadBitmapW(CApplication::Instance().GetInstanceHandle(), MAKEINTRESOURCEW(bitmapId));
    for (int x = 0; x < RowWidth; x += TileWidth)
        DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(tile), 0, x, 0, TileWidth,
                   RowHeight, DST_BITMAP);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < RowHeight; ++y)
        for (int x = 0; x < RowWidth; ++x)
            pixels.push_back(GetPixel(dc, x, y));
    DeleteObject(tile);
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    return pixels;
}

void ExpectSameArea(const std::vector<COLORREF>& expected, const std::vector<COLORREF>& actual,
                    const RECT& area, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    const size_t size = static_cast<size_t>(RowWidth * RowHeight);
    ASSERT_EQ(size, expected.size());
    ASSERT_EQ(size, actual.size());
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (PixelAt(expected, x, y) != PixelAt(actual, x, y))
            {
                ADD_FAILURE() << "pixel (" << x << ", " << y << "): expected " << std::hex
                              << PixelAt(expected, x, y) << ", actual " << PixelAt(actual, x, y);
                return;
            }
}

size_t CountDifferences(const std::vector<COLORREF>& expected, const std::vector<COLORREF>& actual,
                        const RECT& area)
{
    size_t differing = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            differing += PixelAt(expected, x, y) != PixelAt(actual, x, y) ? 1 : 0;
    return differing;
}
} // namespace views_test
