#pragma once

#include <string>

#include "views/CategoryItemWindow.h"

// Header of a category of folders: its menu, folders dropped from the shell and folder
// rows dragged onto it.
class CFolderCategoryWindow : public CCategoryItemWindow
{
public:
    using CCategoryItemWindow::CCategoryItemWindow;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Carries out a command of the category's menu; the header may be gone afterwards.
    void RunMenuCommand(UINT command);
    // Adds an existing folder under its own name, a drive root under its drive (C:);
    // anything else is ignored without a word.
    void AddDroppedFolder(const std::wstring& path);

    // The name a dropped folder gets; empty when the path gives none.
    static std::wstring DroppedFolderName(const std::wstring& path);

private:
    LRESULT OnRButtonDown(LPARAM lParam);
    LRESULT OnDropFiles(WPARAM wParam);
    LRESULT OnListItemCanDrop() const;
    LRESULT OnListItemDrop(WPARAM wParam);
};
