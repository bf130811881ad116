#include "tests/unit/views/TiledRow.h"

#include "tests/unit/views/ReferenceRow.h"

#include <gtest/gtest.h>

namespace views_test
{
namespace
{
constexpr int RowWidth = 140;
constexpr int RowHeight = 22;

COLORREF PixelAt(const std::vector<COLORREF>& pixels, int x, int y)
{
    return pixels[static_cast<size_t>(y * RowWidth + x)];
}
} // namespace

std::vector<COLORREF> TiledRow(UINT bitmapId)
{
    return CReferenceRow(bitmapId).Pixels();
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
