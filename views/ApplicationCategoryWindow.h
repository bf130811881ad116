#pragma once

#include <string>

#include "views/CategoryItemWindow.h"

// Header of a category of applications: its menu, programs dropped from the shell and
// application rows dragged onto it.
class CApplicationCategoryWindow : public CCategoryItemWindow
{
public:
    CApplicationCategoryWindow(CCategory* category, HBITMAP background);

    // Adds a program file, or the program a shell link leads to, under the file's name;
    // anything else is refused with a message.
    void AddDroppedFile(const std::wstring& path) override;
};
