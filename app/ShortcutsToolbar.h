#pragma once

#include <windows.h>

#include "toolkit/Window.h"

// The strip along the top edge of the main window.
class CShortcutsToolbar : public CWindow
{
public:
    CShortcutsToolbar() = default;
    ~CShortcutsToolbar() override;

    bool Create(const RECT& rect, HWND parent);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    HBITMAP m_background = nullptr;
    int m_nextButtonX = 0;

private:
    void OnPaint();
};
