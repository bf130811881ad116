#pragma once

#include "toolkit/Edit.h"
#include "toolkit/Window.h"

#include <string>

// Asks for the name of a new category, or for a new name of an existing one. A name that
// no registry key can hold is refused at OK with the dialog left open; checking the name
// against the other categories is the caller's part.
class CAddCategoryDialog : public CWindow
{
public:
    // Runs the dialog modally; IDOK with the trimmed name in m_name, or IDCANCEL with
    // m_name as given (also when the dialog could not be shown).
    int DoModal(HWND parent, const std::wstring& initialName, bool editMode);

    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    std::wstring m_name;

private:
    INT_PTR OnInitDialog();
    void OnCommand(WPARAM wParam);
    void OnOk();
    void UpdateOkButton();

    CEdit m_nameEdit;
    bool m_editMode = false;
};
