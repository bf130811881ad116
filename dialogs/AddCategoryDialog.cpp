#include "dialogs/AddCategoryDialog.h"

#include "catalogue/Catalogue.h"
#include "dialogs/NameFocus.h"
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
        OnOk();
    }
    else if (wParam == IDCANCEL)
    {
        EndDialog(GetHwnd(), IDCANCEL);
    }
}

// A name the store cannot hold keeps the dialog open on it, and nothing has changed.
void CAddCategoryDialog::OnOk()
{
    const std::wstring name = TrimWhitespace(m_nameEdit.GetEditText());
    if (CCatalogue::RefuseUnstorableName(GetHwnd(), name))
    {
        FocusNameEdit(GetHwnd(), m_nameEdit.GetHwnd());
        return;
    }
    m_name = name;
    EndDialog(GetHwnd(), IDOK);
}

void CAddCategoryDialog::UpdateOkButton()
{
    // A name of blanks would be trimmed to nothing.
    const bool hasName = !TrimWhitespace(m_nameEdit.GetEditText()).empty();
    EnableWindow(GetDlgItem(GetHwnd(), IDOK), hasName);
}
