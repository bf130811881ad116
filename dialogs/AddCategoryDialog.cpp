#include "dialogs/AddCategoryDialog.h"

#include "resources/resource.h"
#include "toolkit/Application.h"
#include "toolkit/Utilities.h"

namespace
{
// A category name is a registry key name: the same limit as an entry name keeps two
// long names from being cut to one key.
constexpr WPARAM kMaxNameLength = 100;
} // namespace

int CAddCategoryDialog::DoModal(HWND parent, const std::wstring& initialName, bool editMode)
{
    m_name = initialName;
    m_editMode = editMode;
    const INT_PTR result = DialogBoxParamW(CApplication::Instance().GetInstanceHandle(),
                                           MAKEINTRESOURCEW(IDD_ADD_CATEGORY), parent,
                                           StaticDialogProc, reinterpret_cast<LPARAM>(this));
    return result == IDOK ? IDOK : IDCANCEL;
}

INT_PTR CAddCategoryDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg)
    {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        OnCommand(wParam);
        return 0;
    default:
        return 0;
    }
}

INT_PTR CAddCategoryDialog::OnInitDialog()
{
    if (m_editMode)
        SetText(LoadResString(IDS_EDIT_CATEGORY));
    m_nameEdit.Attach(GetDlgItem(GetHwnd(), IDC_CATEGORY_NAME_EDIT));
    m_nameEdit.SendMessage(EM_LIMITTEXT, kMaxNameLength);
    m_nameEdit.SetText(m_name);
    UpdateOkButton();
    return TRUE;
}

void CAddCategoryDialog::OnCommand(WPARAM wParam)
{
    if (LOWORD(wParam) == IDC_CATEGORY_NAME_EDIT && HIWORD(wParam) == EN_CHANGE)
    {
        UpdateOkButton();
    }
    else if (wParam == IDOK)
    {
        m_name = TrimWhitespace(m_nameEdit.GetEditText());
        EndDialog(GetHwnd(), IDOK);
    }
    else if (wParam == IDCANCEL)
    {
        EndDialog(GetHwnd(), IDCANCEL);
    }
}

void CAddCategoryDialog::UpdateOkButton()
{
    // A name of blanks would be trimmed to nothing.
    const bool hasName = !TrimWhitespace(m_nameEdit.GetEditText()).empty();
    EnableWindow(GetDlgItem(GetHwnd(), IDOK), hasName);
}
