#pragma once

#include <string>

#include "views/CategoryItemWindow.h"

// Header of a category of folders: its menu, folders dropped from the shell and folder
// rows dragged onto it.
class CFolderCategoryWindow : public CCategoryItemWindow
{
public:
    CFolderCategoryWindow(CCategory* category, HBITMAP background);

    // Adds an existing folder under its own name, a drive root under its drive (C:);
    // anything else is ignored without a word.
    void AddDroppedFile(const std::wstring& path) override;
};
