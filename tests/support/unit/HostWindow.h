#pragma once

#include <windows.h>

// Tests point at the windows they place with ScreenPoint.
#include "tests/support/InProcessInput.h"

namespace test_support
{
// A visible topmost top-level window in the page colour, standing in for a page as the
// parent of list windows. It clips its children, so it never paints over them.
class CHostWindow
{
public:
    explicit CHostWindow(const RECT& screenRect);
    ~CHostWindow();
    CHostWindow(const CHostWindow&) = delete;
    CHostWindow& operator=(const CHostWindow&) = delete;

    HWND GetHwnd() const { return m_hWnd; }

    static const COLORREF Colour;

private:
    HWND m_hWnd;
};

// Moves a child to (x, y) of its parent's client area, shows it and paints it at once.
void PlaceWindow(HWND child, int x, int y);
} // namespace test_support
