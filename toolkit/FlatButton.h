#pragma once

#include <windows.h>

#include <string>

#include "toolkit/Window.h"

// Posted by a flat button to the window that was its parent at creation, once per click;
// wParam is the button's window handle, lParam 0.
constexpr UINT WM_FLATBUTTONCLICK = WM_USER + 2000;

// An owner-drawn push button: a 16 by 16 icon on the button face, with a one-pixel frame
// only while the mouse is over it. The parent forwards WM_DRAWITEM to the button, and a
// tooltip owner forwards TTN_GETDISPINFOW to OnReflectNotify.
class CFlatButton : public CWindow
{
public:
    CFlatButton() = default;

    bool Create(HWND parent, const RECT& rect, int iconId, const std::wstring& tooltipText);

    bool IsEnabled() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnReflectNotify(NMHDR* header, LRESULT* result) override;

    HWND m_notifyWindow = nullptr;
    // Loaded once for each size and held for the run: never destroyed here.
    HICON m_icon = nullptr;
    int m_iconId = 0;
    std::wstring m_tooltipText;
    // The mouse is over the button, which then holds the capture.
    bool m_hot = false;
    // The left button went down on the button and has not come up yet.
    bool m_pressed = false;
    bool m_enabled = true;

private:
    LRESULT OnDrawItem(const DRAWITEMSTRUCT& item);
    void OnMouseMove(LPARAM lParam);
    void OnLButtonDown();
    void OnLButtonUp();
    void OnLButtonDblClk();
    void OnCaptureChanged(HWND newCapture);

    void DrawFrame(HDC dc, const RECT& rect) const;
    void Repaint() const;
    void PostClick() const;
};
