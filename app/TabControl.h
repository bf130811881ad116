#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/TabControlListener.h"
#include "toolkit/Window.h"

// The custom-drawn strip with the "Applications" and "Shortcuts" tabs.
class CMyTabControl : public CWindow
{
public:
    CMyTabControl() = default;

    bool Create(const RECT& rect, HWND parent, IMyTabControlListener* listener);
    void AddTab(const std::wstring& text);
    // What a click on the tab does, also when it is selected already.
    void Select(int index);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    IMyTabControlListener* m_listener = nullptr;
    std::vector<std::wstring> m_tabTexts;
    // Client rectangles of the tabs as last painted; the click test uses them.
    std::vector<RECT> m_tabRects;
    int m_selected = 0;

private:
    void OnPaint();
    void OnLButtonDown(LPARAM lParam);
};
