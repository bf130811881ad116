#include "dialogs/EditItemDialog.h"

#include <commdlg.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "app/MainWnd.h"
#include "catalogue/Category.h"
#include "catalogue/EntryKind.h"
#include "dialogs/NameFocus.h"
#include "resources/resource.h"
#include "toolkit/Application.h"
#include "toolkit/DpiScale.h"
#include "toolkit/Shielded.h"
#include "toolkit/Utilities.h"

#include <vector>

HHOOK CEditItemDialog::s_hook = nullptr;
CKeyShortcutEdit* CEditItemDialog::s_hotKeyEdit = nullptr;

namespace
{
// Entry names are registry key names; two long names must not be cut to the same key.
constexpr size_t kMaxNameLength = 100;
// Below this OS version class the link control cannot align its text to the right.
constexpr int kVistaClass = 4;
constexpr int kButtonGap = 10;
constexpr int kAdvancedHeight = 150;
// The dialog's controls scale with its DPI; so must the gaps placed in pixels.
int DialogPixels(HWND dialog, int designPixels)
{
    return CDpiScale::ForWindow(dialog).Scale(designPixels);
}

constexpr int kAdvancedIds[] = {IDC_ARGUMENTS_LABEL, IDC_ARGUMENTS_EDIT, IDC_START_IN_LABEL,
                                IDC_START_IN_EDIT,   IDC_HOTKEY_LABEL,   IDC_HOTKEY_EDIT};

// A path without a folder, or relative to one, is looked for only at OK: the search runs
// through every folder of the search path, which may be slow, so not at each keystroke.
bool IsPathWorthResolving(const std::wstring& path)
{
    // Wildcards would let a pattern pass for a file that does not exist.
    if (path.empty() || path.find_first_of(L"?*") != std::wstring::npos)
        return false;
    if (PathIsRelativeW(path.c_str()))
        return true;
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void ShowControl(HWND dialog, int id, bool show)
{
    ShowWindow(GetDlgItem(dialog, id), show ? SW_SHOW : SW_HIDE);
}
} // namespace

int CEditItemDialog::DoModal(ListKind kind, HWND parent, std::optional<std::wstring> name,
                             std::optional<std::wstring> group, std::optional<std::wstring> path,
                             std::optional<std::wstring> arguments,
                             std::optional<std::wstring> startIn, std::optional<WORD> hotKey)
{
    m_kind = kind;
    m_editMode = name || path || arguments || startIn || hotKey;
    m_name = name.value_or(L"");
    m_group = group.value_or(L"");
    m_path = path.value_or(L"");
    m_arguments = arguments.value_or(L"");
    m_startIn = startIn.value_or(L"");
    m_hotKey = hotKey.value_or(0);
    const INT_PTR result = DialogBoxParamW(CApplication::Instance().GetInstanceHandle(),
                                           MAKEINTRESOURCEW(IDD_EDIT_ITEM), parent,
                                           StaticDialogProc, reinterpret_cast<LPARAM>(this));
    return result == IDOK ? IDOK : IDCANCEL;
}

INT_PTR CEditItemDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg)
    {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        OnCommand(wParam);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default:
        return 0;
    }
}

void CEditItemDialog::OnNotify(NMHDR* header, LRESULT*)
{
    // Enter on the focused link opens it too, for the keyboard.
    if (header->code == static_cast<UINT>(NM_CLICK) || header->code == static_cast<UINT>(NM_RETURN))
        ShowAdvanced(!IsAdvancedRemembered());
}

INT_PTR CEditItemDialog::OnInitDialog()
{
    const HWND dialog = GetHwnd();
    m_nameEdit.Attach(GetDlgItem(dialog, IDC_NAME_EDIT));
    m_groupCombo.Attach(GetDlgItem(dialog, IDC_GROUP_COMBO));
    m_pathEdit.Attach(GetDlgItem(dialog, IDC_PATH_EDIT));
    m_argumentsEdit.Attach(GetDlgItem(dialog, IDC_ARGUMENTS_EDIT));
    m_startInEdit.Attach(GetDlgItem(dialog, IDC_START_IN_EDIT));
    m_hotKeyEdit.Attach(GetDlgItem(dialog, IDC_HOTKEY_EDIT));
    m_advancedLink.Attach(GetDlgItem(dialog, IDC_ADVANCED_LINK));
    m_okButton.Attach(GetDlgItem(dialog, IDOK));
    m_cancelButton.Attach(GetDlgItem(dialog, IDCANCEL));
    m_browseButton.Attach(GetDlgItem(dialog, IDC_BROWSE));
    SetTexts();
    SHAutoComplete(m_pathEdit.GetHwnd(), SHACF_FILESYSTEM);
    ShowAdvanced(IsAdvancedRemembered());
    FillGroups();
    s_hook = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook,
                               CApplication::Instance().GetInstanceHandle(), GetCurrentThreadId());
    s_hotKeyEdit = &m_hotKeyEdit;
    UpdateOkButton();
    return TRUE;
}

void CEditItemDialog::SetTexts()
{
    const EntryKind& texts = KindOf(m_kind);
    SetText(LoadResString(m_editMode ? texts.editTitle : texts.addTitle));
    SetDlgItemTextW(GetHwnd(), IDC_NAME_LABEL, LoadResString(texts.nameLabel).c_str());
    SetDlgItemTextW(GetHwnd(), IDC_PATH_LABEL, LoadResString(texts.pathLabel).c_str());
    const std::pair<CEdit*, const std::wstring*> fields[] = {{&m_nameEdit, &m_name},
                                                             {&m_pathEdit, &m_path},
                                                             {&m_argumentsEdit, &m_arguments},
                                                             {&m_startInEdit, &m_startIn}};
    for (const auto& [edit, value] : fields)
    {
        if (!value->empty())
            edit->SetText(*value);
    }
    m_hotKeyEdit.SetHotKey(m_hotKey);
}

void CEditItemDialog::FillGroups()
{
    CCatalogue* catalogue = CCatalogue::Current();
    if (!catalogue)
        return;
    std::vector<std::wstring> names;
    catalogue->GetCategoryNames(m_kind, names);
    for (const std::wstring& name : names)
        m_groupCombo.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (!m_group.empty())
        m_groupCombo.SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(m_group.c_str()));
}

void CEditItemDialog::OnCommand(WPARAM wParam)
{
    const WORD id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if ((id == IDC_NAME_EDIT || id == IDC_PATH_EDIT) && code == EN_CHANGE)
        UpdateOkButton();
    else if (id == IDC_GROUP_COMBO && code == CBN_SELCHANGE)
        UpdateOkButton();
    else if (wParam == IDC_BROWSE)
        OnBrowse();
    else if (wParam == IDOK)
        OnOk();
    else if (wParam == IDCANCEL)
        EndDialog(GetHwnd(), IDCANCEL);
}

void CEditItemDialog::OnDestroy()
{
    if (s_hook)
        UnhookWindowsHookEx(s_hook);
    s_hook = nullptr;
    s_hotKeyEdit = nullptr;
}

void CEditItemDialog::OnOk()
{
    m_name = TrimWhitespace(m_nameEdit.GetEditText()).substr(0, kMaxNameLength);
    if (CCatalogue::RefuseUnstorableName(GetHwnd(), m_name))
    {
        FocusNameEdit(GetHwnd(), m_nameEdit.GetHwnd());
        return;
    }
    m_group = m_groupCombo.GetText();
    m_path = m_pathEdit.GetEditText();
    // Stored whole, so that the entry names the same file wherever the program starts.
    const std::wstring resolved = ResolveTypedPath(m_path);
    if (resolved.empty())
    {
        MessageBoxW(GetHwnd(), LoadResString(IDS_PATH_NOT_FOUND).c_str(), nullptr, MB_ICONWARNING);
        SetFocus(m_pathEdit.GetHwnd());
        return;
    }
    m_path = resolved;
    m_arguments = m_argumentsEdit.GetEditText();
    m_startIn = m_startInEdit.GetEditText();
    // An emptied field is no hotkey, whatever combination was pressed before.
    m_hotKey = m_hotKeyEdit.GetHotKey();
    if (RefuseHotKey())
        return;
    m_item = BuildItem();
    EndDialog(GetHwnd(), IDOK);
}

// The field is shown and focused so that another combination can be chosen at once.
bool CEditItemDialog::RefuseHotKey()
{
    if (m_hotKey == 0 || !m_refuseHotKey || !m_refuseHotKey(GetHwnd(), m_hotKey))
        return false;
    ShowAdvanced(true);
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_hotKeyEdit.GetHwnd()), TRUE);
    return true;
}

std::unique_ptr<CListItem> CEditItemDialog::BuildItem() const
{
    CCatalogue* catalogue = CCatalogue::Current();
    CCategory* category = catalogue ? catalogue->GetList(m_kind).FindCategory(m_group) : nullptr;
    if (!category)
        return nullptr;
    // The list's window is the page or pane in which its rows live.
    const EntryFields fields{m_name, m_path, m_arguments, m_startIn, m_hotKey};
    return KindOf(m_kind).make(fields, category, category->m_list->m_parentWindow);
}

void CEditItemDialog::OnBrowse()
{
    if (KindOf(m_kind).pathIsFolder)
        BrowseForFolder();
    else
        BrowseForFile();
}

void CEditItemDialog::BrowseForFolder()
{
    BROWSEINFOW info = {};
    info.hwndOwner = GetHwnd();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (!chosen)
        return;
    wchar_t path[MAX_PATH] = L"";
    if (SHGetPathFromIDListW(chosen, path))
    {
        m_pathEdit.SetText(path);
        const std::wstring stem = FileNameStem(LastPathComponent(path), false);
        // A drive's root has no last component: the drive names it.
        if (m_nameEdit.GetLineLength() == 0)
            m_nameEdit.SetText(stem.empty() ? std::wstring(path).substr(0, 2) : stem);
    }
    CoTaskMemFree(chosen);
}

void CEditItemDialog::BrowseForFile()
{
    std::vector<wchar_t> file(520, L'\0');
    const std::wstring current = m_pathEdit.GetEditText();
    if (FileExists(current) && current.size() < file.size())
        current.copy(file.data(), current.size());
    OPENFILENAMEW info = {};
    info.lStructSize = sizeof(info);
    info.hwndOwner = GetHwnd();
    info.lpstrFilter = L"All\0*.*\0Program\0*.exe\0";
    info.nFilterIndex = 1;
    info.lpstrFile = file.data();
    info.nMaxFile = static_cast<DWORD>(file.size());
    info.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameW(&info))
        return;
    m_pathEdit.SetText(file.data());
    const std::wstring stem = FileNameStem(LastPathComponent(file.data()), false);
    if (m_nameEdit.GetLineLength() == 0 && !stem.empty())
        m_nameEdit.SetText(stem);
}

void CEditItemDialog::ShowAdvanced(bool expanded)
{
    if (!KindOf(m_kind).hasLaunchOptions)
    {
        PlaceButtons(m_pathEdit.GetBottom() + DialogPixels(GetHwnd(), kButtonGap));
        ShowControl(GetHwnd(), IDC_ADVANCED_LINK, false);
        for (const int id : kAdvancedIds)
            ShowControl(GetHwnd(), id, false);
        return;
    }
    const int linkBottom = m_advancedLink.GetBottom();
    PlaceButtons(linkBottom + DialogPixels(GetHwnd(), expanded ? kAdvancedHeight : kButtonGap));
    for (const int id : kAdvancedIds)
        ShowControl(GetHwnd(), id, expanded);
    if (CApplication::Instance().GetOsVersion() < kVistaClass)
        m_advancedLink.MoveTo(m_nameEdit.GetLeft(), -1);
    CentreOnParent();
    if (CMainWnd* mainWnd = CMainWnd::Instance())
        mainWnd->m_itemEditorAdvanced = expanded;
}

void CEditItemDialog::PlaceButtons(int y)
{
    m_okButton.MoveTo(-1, y);
    m_cancelButton.MoveTo(-1, y);
    Resize(-1, m_okButton.GetBottom() + DialogPixels(GetHwnd(), kButtonGap));
}

void CEditItemDialog::CentreOnParent()
{
    const HWND parent = GetParent(GetHwnd());
    RECT parentRect = {};
    RECT rect = {};
    if (!parent || !GetWindowRect(parent, &parentRect) || !GetWindowRect(GetHwnd(), &rect))
        return;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int x = parentRect.left + (parentRect.right - parentRect.left) / 2 - width / 2;
    const int y = parentRect.top + (parentRect.bottom - parentRect.top) / 2 - height / 2;
    SetWindowPos(GetHwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CEditItemDialog::UpdateOkButton()
{
    const bool valid = !TrimWhitespace(m_nameEdit.GetEditText()).empty() &&
                       !TrimWhitespace(m_groupCombo.GetText()).empty() && IsPathAcceptable();
    EnableWindow(m_okButton.GetHwnd(), valid);
}

bool CEditItemDialog::IsPathAcceptable() const
{
    const std::wstring path = m_pathEdit.GetEditText();
    if (!IsPathWorthResolving(path))
        return false;
    return !KindOf(m_kind).pathIsProgram || ToLower(GetFileExtension(path)) == L"exe";
}

bool CEditItemDialog::IsAdvancedRemembered()
{
    const CMainWnd* mainWnd = CMainWnd::Instance();
    return mainWnd && mainWnd->m_itemEditorAdvanced;
}

LRESULT CALLBACK CEditItemDialog::GetMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    // A message only peeked at comes back later: it is handled when it is removed.
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && s_hotKeyEdit &&
        msg->hwnd == s_hotKeyEdit->GetHwnd())
    {
        const UINT message = msg->message;
        const bool key = message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
                         message == WM_SYSKEYUP;
        const bool routed = key || message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN;
        // A key the field took must not type a character, reach the dialog's mnemonics or
        // open a menu (Alt, F10 and the Apps key do that on their way up). A handler that
        // threw has the key dropped too; the hook must not let it through.
        if (routed &&
            CallShielded([msg] { return s_hotKeyEdit->PreTranslateMessage(msg); },
                         [] { return true; }) &&
            key)
            msg->wParam = 0;
    }
    return CallNextHookEx(s_hook, code, wParam, lParam);
}
