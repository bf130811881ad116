#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/Edit.h"
#include "toolkit/FlatButton.h"
#include "toolkit/Scoped.h"
#include "toolkit/ToolTipControl.h"
#include "toolkit/Window.h"

// The strip along the top edge of the main window: "Add group" and "Add item" act on the
// list of the visible page, and the search box's text is highlighted in entry names.
class CShortcutsToolbar : public CWindow
{
public:
    CShortcutsToolbar() = default;

    bool Create(const RECT& rect, HWND parent);
    CFlatButton* AddButton(const std::wstring& text, int iconId);
    // The keyboard focus in the search box with its text selected, so typing replaces it.
    void FocusSearchBox();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnNotify(NMHDR* header, LRESULT* result) override;

    HBITMAP m_background = nullptr;
    std::vector<int> m_buttonIcons;
    std::vector<std::wstring> m_buttonTexts;
    int m_nextButtonX = 0;
    CEdit m_searchEdit;
    std::unique_ptr<CFlatButton> m_addGroupButton;
    std::unique_ptr<CFlatButton> m_addItemButton;
    // Shows the buttons' names, which their icons alone do not tell.
    CToolTipControl m_toolTip;

private:
    bool CreateSearchBox();
    void PlaceControls();
    void OnPaint();
    LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);
    void OnCommand(WPARAM wParam, LPARAM lParam);
    void OnFlatButtonClick(WPARAM wParam);
    void OnSearchChanged();
};
