#include "tests/unit/views/ReferenceRow.h"

#include "toolkit/Application.h"
#include "toolkit/Utilities.h"

#include <gtest/gtest.h>

namespace views_test
{
namespace
{
constexpr int RowWidth = 140;
constexpr int RowHeight = 22;
constexpr int TileWidth = 20;
} // namespace

CReferenceRow::CReferenceRow(UINT bitmapId) : m_dc(CreateCompatibleDC(nullptr))
{
    const BITMAPINFO info = TopDownBitmapInfo(RowWidth, RowHeight);
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
    m_old = SelectObject(m_dc, m_bitmap);
    const HBITMAP tile =
        LoadBitmapW(CApplication::Instance().GetInstanceHandle(), MAKEINTRESOURCEW(bitmapId));
    for (int x = 0; x < RowWidth; x += TileWidth)
        DrawStateW(m_dc, nullptr, nullptr, reinterpret_cast<LPARAM>(tile), 0, x, 0, TileWidth,
                   RowHeight, DST_BITMAP);
    DeleteObject(tile);
}

CReferenceRow::~CReferenceRow()
{
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

void CReferenceRow::DrawIcon(UINT iconId, int x, int y, int size)
{
    const auto icon =
        static_cast<HICON>(LoadImageW(CApplication::Instance().GetInstanceHandle(),
                                      MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, LR_SHARED));
    ASSERT_NE(nullptr, icon) << "icon " << iconId;
    DrawIconEx(m_dc, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
}

std::vector<COLORREF> CReferenceRow::Pixels() const
{
    std::vector<COLORREF> pixels;
    pixels.reserve(static_cast<size_t>(RowWidth * RowHeight));
    for (int y = 0; y < RowHeight; ++y)
        for (int x = 0; x < RowWidth; ++x)
            pixels.push_back(GetPixel(m_dc, x, y));
    return pixels;
}

std::vector<COLORREF> RowWithIcon(UINT bitmapId, UINT iconId, int x, int y, int size)
{
    CReferenceRow row(bitmapId);
    row.DrawIcon(iconId, x, y, size);
    return row.Pixels();
}
} // namespace views_test
