#pragma once

#include <windows.h>

#include <vector>

namespace views_test
{
// A bare 140 x 22 row as the tiles of a background bitmap resource cover it, row by row
// like CaptureClient.
std::vector<COLORREF> TiledRow(UINT bitmapId);

// Compares a rectangle of a captured 140 x 22 row with the expected picture and names
// the first pixel that differs; reported at the caller's line.
void ExpectSameArea(const std::vector<COLORREF>& expected, const std::vector<COLORREF>& actual,
                    const RECT& area, int line);
// How many pixels of the rectangle differ between the two pictures.
size_t CountDifferences(const std::vector<COLORREF>& expected, const std::vector<COLORREF>& actual,
                        const RECT& area);
} // namespace views_test
