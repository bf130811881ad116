#include "app/TabControl.h"

#include "toolkit/Application.h"
#include "toolkit/Scoped.h"
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

CMyTabControl::~CMyTabControl()
{
    if (m_font != nullptr)
        DeleteObject(m_font);
}

bool CMyTabControl::Create(const RECT& rect, HWND parent, IMyTabControlListener* listener)
{
    m_listener = listener;
    LOGFONTW font = {};
    font.lfHeight = 15;
    font.lfWeight = FW_BOLD;
    lstrcpyW(font.lfFaceName, L"Microsoft Sans Serif");
    m_font = CreateFontIndirectW(&font);

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

    // Measured in the font that draws them, so each outline fits its text.
    CScopedSelect selectFont(dc, m_font);
    int left = 6;
    int textHeight = 0;
    int selectedLeft = 0;
    int selectedRight = 0;
    for (size_t i = 0; i < m_tabTexts.size(); ++i)
    {
        const std::wstring& text = m_tabTexts[i];
        SIZE size = {};
        GetTextExtentPointW(dc, text.c_str(), static_cast<int>(text.size()), &size);
        textHeight = size.cy;
        const int right = left + size.cx + 12;
        Rectangle(dc, left, 2, right, size.cy + 6);

        const bool selected = static_cast<int>(i) == m_selected;
        const RECT inner = {left + 1, 3, left + size.cx + 11, size.cy + 6};
        FillSolid(dc, inner, selected ? SelectedColour : TabColour);
        if (selected)
        {
            selectedLeft = left;
            selectedRight = right;
        }
        m_tabRects[i] = inner;
        TextOutW(dc, left + 6, 2, text.c_str(), static_cast<int>(text.size()));
        left += size.cx + 16;
    }

    FillSolid(dc, RECT{0, textHeight + 4, client.right, 25}, SelectedColour);
    // The base line leaves the selected tab open towards the band.
    const int baseY = textHeight + 3;
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
