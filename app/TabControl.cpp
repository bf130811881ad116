#include "app/TabControl.h"

#include "toolkit/Application.h"
#include "toolkit/DpiScale.h"
#include "toolkit/Scoped.h"
#include "toolkit/SharedFont.h"
#include "toolkit/Utilities.h"
#include "app/ChildWindowClass.h"

namespace
{
const COLORREF BackgroundColour = RGB(199, 206, 226);
const COLORREF TabColour = RGB(202, 208, 223);
const COLORREF SelectedColour = RGB(232, 236, 250);
const COLORREF OutlineColour = RGB(153, 161, 182);

void FillSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    CScopedGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.Get());
}
} // namespace

bool CMyTabControl::Create(const RECT& rect, HWND parent, IMyTabControlListener* listener)
{
    m_listener = listener;
    if (!RegisterChildWindowClass(L"TabControl"))
        return false;
    return CreateWindowExW(0, L"TabControl", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                           rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                           parent, nullptr, CApplication::Instance().GetInstanceHandle(),
                           this) != nullptr;
}

void CMyTabControl::AddTab(const std::wstring& text)
{
    m_tabTexts.push_back(text);
    m_tabRects.push_back(RECT{});
}

LRESULT CMyTabControl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_PAINT:
        OnPaint();
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(lParam);
        break;
    }
    return CWindow::WindowProc(msg, wParam, lParam);
}

void CMyTabControl::OnPaint()
{
    CScopedPaint paint(GetHwnd());
    HDC dc = paint.Get();
    RECT client = {};
    GetClientRect(GetHwnd(), &client);
    FillSolid(dc, client, BackgroundColour);

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    CScopedGdiObject<HPEN> pen(CreatePen(PS_SOLID, 0, OutlineColour));
    CScopedSelect selectPen(dc, pen.Get());

    // Measured in the font that draws them, so each outline fits its text. The figures
    // are those of 96 DPI, scaled.
    const CDpiScale& scale = CDpiScale::Current();
    const auto px = [&scale](int design) { return scale.Scale(design); };
    CScopedSelect selectFont(dc, SharedFont(SharedFontStyle::Bold));
    int left = px(6);
    int textHeight = 0;
    int selectedLeft = 0;
    int selectedRight = 0;
    for (size_t i = 0; i < m_tabTexts.size(); ++i)
    {
        const std::wstring& text = m_tabTexts[i];
        SIZE size = {};
        GetTextExtentPointW(dc, text.c_str(), static_cast<int>(text.size()), &size);
        textHeight = size.cy;
        const int right = left + size.cx + px(12);
        Rectangle(dc, left, px(2), right, size.cy + px(6));

        const bool selected = static_cast<int>(i) == m_selected;
        const RECT inner = {left + 1, px(2) + 1, right - 1, size.cy + px(6)};
        FillSolid(dc, inner, selected ? SelectedColour : TabColour);
        if (selected)
        {
            selectedLeft = left;
            selectedRight = right;
        }
        m_tabRects[i] = inner;
        TextOutW(dc, left + px(6), px(2), text.c_str(), static_cast<int>(text.size()));
        left += size.cx + px(16);
    }

    FillSolid(dc, RECT{0, textHeight + px(4), client.right, px(25)}, SelectedColour);
    // The base line leaves the selected tab open towards the band.
    const int baseY = textHeight + px(3);
    MoveToEx(dc, 0, baseY, nullptr);
    LineTo(dc, selectedLeft, baseY);
    MoveToEx(dc, selectedRight, baseY, nullptr);
    LineTo(dc, client.right, baseY);
}

void CMyTabControl::OnLButtonDown(LPARAM lParam)
{
    const POINT point = PointFromLParam(lParam);
    for (size_t i = 0; i < m_tabRects.size(); ++i)
    {
        const RECT& tab = m_tabRects[i];
        // All four edges count as inside.
        if (point.x < tab.left || point.x > tab.right || point.y < tab.top || point.y > tab.bottom)
            continue;
        Select(static_cast<int>(i));
        break;
    }
}

void CMyTabControl::Select(int index)
{
    m_selected = index;
    InvalidateRect(GetHwnd(), nullptr, FALSE);
    if (m_listener != nullptr)
        m_listener->OnTabChanged(index);
}
