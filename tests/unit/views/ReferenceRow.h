#pragma once

#include <windows.h>

#include <vector>

namespace views_test
{
// A 140 x 22 picture of a row as it should look: the tiles of a background bitmap resource,
// with icons drawn on top at their own size.
class CReferenceRow
{
public:
    explicit CReferenceRow(UINT bitmapId);
    ~CReferenceRow();
    CReferenceRow(const CReferenceRow&) = delete;
    CReferenceRow& operator=(const CReferenceRow&) = delete;

    // Reports an icon the resources lack as a failure of the calling test.
    void DrawIcon(UINT iconId, int x, int y, int size);
    // The picture row by row, like CaptureClient.
    std::vector<COLORREF> Pixels() const;

private:
    HDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};

// The tiles of the bitmap with one icon on top, row by row.
std::vector<COLORREF> RowWithIcon(UINT bitmapId, UINT iconId, int x, int y, int size);
} // namespace views_test
