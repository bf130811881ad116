#pragma once

#include <string>

#include "views/CategoryItemWindow.h"

// Header of a category of applications: its menu, programs dropped from the shell and
// application rows dragged onto it.
class CApplicationCategoryWindow : public CCategoryItemWindow
{
public:
    using CCategoryItemWindow::CCategoryItemWindow;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Carries out a command of the category's menu; the header may be gone afterwards.
    void RunMenuCommand(UINT command);
    // Adds a program file, or the program a shell link leads to, under the file's name;
    // anything else is refused with a message.
    void AddDroppedFile(const std::wstring& path);

private:
    LRESULT OnRButtonDown(LPARAM lParam);
    LRESULT OnDropFiles(WPARAM wParam);
    LRESULT OnListItemCanDrop() const;
    LRESULT OnListItemDrop(WPARAM wParam);

    void LaunchAll() const;
};
