#pragma once

#include <string>

#include "views/CategoryItemWindow.h"

// Header of a category of shortcuts: its menu, any file or folder dropped from the shell
// and shortcut rows dragged onto it.
class CShortcutCategoryWindow : public CCategoryItemWindow
{
public:
    CShortcutCategoryWindow(CCategory* category, HBITMAP background);

    // Adds the file under its name with extension; a shell link adds its target, with its
    // arguments, working folder and hotkey, under the link's name without ".lnk".
    void AddDroppedFile(const std::wstring& path) override;
};
