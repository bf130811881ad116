#pragma once

#include "views/CategoryItemWindow.h"

// Header of a category of folders; takes folder rows dropped on it.
class CFolderCategoryWindow : public CCategoryItemWindow
{
public:
    using CCategoryItemWindow::CCategoryItemWindow;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnListItemCanDrop() const;
    LRESULT OnListItemDrop(WPARAM wParam);
};
