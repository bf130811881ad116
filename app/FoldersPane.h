#pragma once

#include <windows.h>

#include "app/PageWindow.h"

class CFolderCategorizedList;

// The narrow pane along the main window's right edge that holds the folder categories.
class CFoldersPane : public CPageWindow
{
public:
    explicit CFoldersPane(CFolderCategorizedList* list);

    bool Create(const RECT& rect, HWND parent);

    // Carries out a command of the pane's menu.
    void RunMenuCommand(UINT command);
    // One narrow column: its categories follow each other without a gap.
    int GetRowGap() const override;

protected:
    void OnRButtonDown(LPARAM lParam) override;
};
