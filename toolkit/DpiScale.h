#pragma once

#include <windows.h>

// The dots per inch a window is drawn at, and the measures of a 96-DPI design scaled
// to it. Every pixel measure goes through Scale, so one place rounds them all.
class CDpiScale
{
public:
    static constexpr UINT DesignDpi = USER_DEFAULT_SCREEN_DPI;

    explicit CDpiScale(UINT dpi = DesignDpi) : m_dpi(dpi == 0 ? DesignDpi : dpi) {}

    // The DPI of the window's monitor where the system tells it per window, else the
    // system DPI.
    static CDpiScale ForWindow(HWND window);
    // The system DPI, for measures needed before a window exists.
    static CDpiScale ForSystem();

    // The scale every window of the program is drawn at: the main window's, which holds
    // them all. Dialogs scale themselves with their own DPI.
    static const CDpiScale& Current();
    static void MakeCurrent(CDpiScale scale);

    UINT Dpi() const { return m_dpi; }
    bool IsDesign() const { return m_dpi == DesignDpi; }
    // A system measure (SM_CXVSCROLL and the like) at this DPI.
    int SystemMetric(int index) const;
    // The side of a small icon at this DPI.
    int SmallIconSize() const { return SystemMetric(SM_CXSMICON); }

    // A 96-DPI measure at this DPI, rounded to whole pixels.
    int Scale(int designPixels) const { return MulDiv(designPixels, m_dpi, DesignDpi); }
    SIZE Scale(SIZE design) const { return SIZE{Scale(design.cx), Scale(design.cy)}; }

private:
    UINT m_dpi;
};
