#include "toolkit/FlatButton.h"

#include "toolkit/Application.h"
#include "toolkit/DpiScale.h"
#include "toolkit/Scoped.h"
#include "toolkit/SharedImages.h"
#include "toolkit/Utilities.h"

namespace
{
constexpr COLORREF kFrameLight = RGB(255, 255, 255);
constexpr COLORREF kFrameShadow = RGB(128, 128, 128);
constexpr int kIconSize = 16;
} // namespace

bool CFlatButton::Create(HWND parent, const RECT& rect, int iconId, const std::wstring& tooltipText)
{
    const HINSTANCE instance = CApplication::Instance().GetInstanceHandle();
    const HWND button = CreateWindowExW(0, L"Button", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                                        rect.left, rect.top, rect.right - rect.left,
                                        rect.bottom - rect.top, parent, nullptr, instance, nullptr);
    if (!button)
        return false;
    m_notifyWindow = GetParent(button);
    m_iconId = iconId;
    m_icon = SizedIcon(iconId, CDpiScale::Current().Scale(kIconSize));
    m_tooltipText = tooltipText;
    Attach(button);
    SetText(m_tooltipText);
    return true;
}

bool CFlatButton::IsEnabled()
{
    return m_enabled;
}

LRESULT CFlatButton::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_DRAWITEM:
        return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        OnMouseMove(lParam);
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown();
        break;
    case WM_LBUTTONUP:
        OnLButtonUp();
        break;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk();
        break;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(reinterpret_cast<HWND>(lParam));
        break;
    default:
        break;
    }
    return CWindow::WindowProc(msg, wParam, lParam);
}

void CFlatButton::OnReflectNotify(NMHDR* header, LRESULT*)
{
    if (header->code != TTN_GETDISPINFOW)
        return;
    reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = &m_tooltipText[0];
    // The tip can open while another topmost window covers it.
    SetWindowPos(header->hwndFrom, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

LRESULT CFlatButton::OnDrawItem(const DRAWITEMSTRUCT& item)
{
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    if (m_hot && m_enabled)
        DrawFrame(item.hDC, item.rcItem);
    // At the scale of the moment: the DPI may have changed since the button was made.
    const int size = CDpiScale::Current().Scale(kIconSize);
    m_icon = SizedIcon(m_iconId, size);
    DrawIconEx(item.hDC, item.rcItem.right / 2 - size / 2, item.rcItem.bottom / 2 - size / 2,
               m_icon, size, size, 0, nullptr, DI_NORMAL);
    return 1;
}

void CFlatButton::DrawFrame(HDC dc, const RECT& rect) const
{
    CScopedGdiObject<HPEN> light(CreatePen(PS_SOLID, 1, kFrameLight));
    CScopedGdiObject<HPEN> shadow(CreatePen(PS_SOLID, 1, kFrameShadow));
    const HPEN topLeft = m_pressed ? shadow.Get() : light.Get();
    const HPEN bottomRight = m_pressed ? light.Get() : shadow.Get();
    const int right = rect.right - 1;
    const int bottom = rect.bottom - 1;
    CScopedSelect pen(dc, topLeft);
    MoveToEx(dc, rect.left, bottom, nullptr);
    LineTo(dc, rect.left, rect.top);
    LineTo(dc, right, rect.top);
    SelectObject(dc, bottomRight);
    LineTo(dc, right, bottom);
    LineTo(dc, rect.left, bottom);
}

void CFlatButton::OnMouseMove(LPARAM lParam)
{
    // Signed: with the capture held, points left of or above the button are negative.
    const POINT point = ScreenPointFromLParam(GetHwnd(), lParam);
    if (WindowFromPoint(point) == GetHwnd())
    {
        if (m_hot && GetCapture() == GetHwnd())
            return;
        m_hot = true;
        SetCapture(GetHwnd());
    }
    else
    {
        m_hot = false;
        ReleaseCapture();
        m_pressed = false;
    }
    Repaint();
}

void CFlatButton::OnLButtonDown()
{
    m_pressed = true;
    Repaint();
}

void CFlatButton::OnLButtonUp()
{
    if (!m_pressed || !m_enabled)
        return;
    m_pressed = false;
    PostClick();
}

void CFlatButton::OnLButtonDblClk()
{
    if (!m_enabled)
        return;
    m_pressed = false;
    PostClick();
}

void CFlatButton::OnCaptureChanged(HWND newCapture)
{
    // The system button procedure takes the capture again on a press; it stays ours then.
    if (!m_hot || newCapture == GetHwnd())
        return;
    m_hot = false;
    ReleaseCapture();
    Repaint();
}

void CFlatButton::Repaint() const
{
    InvalidateRect(GetHwnd(), nullptr, FALSE);
}

void CFlatButton::PostClick() const
{
    PostMessageW(m_notifyWindow, WM_FLATBUTTONCLICK, reinterpret_cast<WPARAM>(GetHwnd()), 0);
}
