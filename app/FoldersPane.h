#pragma once

#include <windows.h>

#include "toolkit/ToolTipControl.h"
#include "toolkit/Window.h"

class CFolderCategorizedList;

// The narrow pane along the main window's right edge that holds the folder categories.
class CFoldersPane : public CWindow
{
public:
    explicit CFoldersPane(CFolderCategorizedList* list);
    ~CFoldersPane() override;

    bool Create(const RECT& rect, HWND parent);
    // Gives a folder row or header its tooltip, whose text the window supplies on request.
    void AddEntryTool(HWND entryWindow);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnNotify(NMHDR* header, LRESULT* result) override;

    // Carries out a command of the pane's menu.
    void RunMenuCommand(UINT command);

    CFolderCategorizedList* m_list;
    CToolTipControl m_toolTip;

private:
    void OnPaint();
    void OnRButtonDown(LPARAM lParam);
};
