#include "dialogs/KeyShortcutsDialog.h"

#include "catalogue/Catalogue.h"
#include "resources/resource.h"
#include "store/SettingsStore.h"
#include "toolkit/Application.h"
#include "toolkit/Utilities.h"

CKeyShortcutsDialog::CKeyShortcutsDialog(HWND mainWindow) : m_mainWindow(mainWindow) {}

HWND CKeyShortcutsDialog::Create()
{
    return CreateDialogParamW(CApplication::Instance().GetInstanceHandle(),
                              MAKEINTRESOURCEW(IDD_SHORTCUT_KEY), m_mainWindow, StaticDialogProc,
                              reinterpret_cast<LPARAM>(this));
}

void CKeyShortcutsDialog::BringForward()
{
    ShowWindow(GetHwnd(), SW_SHOW);
    SetForegroundWindow(GetHwnd());
}

INT_PTR CKeyShortcutsDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg)
    {
    case WM_INITDIALOG:
        OnInitDialog();
        return FALSE;
    case WM_COMMAND:
        OnCommand(wParam);
        return 0;
    default:
        return 0;
    }
}

void CKeyShortcutsDialog::OnInitDialog()
{
    m_hotKeyEdit.Attach(GetDlgItem(GetHwnd(), IDC_SHOW_WINDOW_HOTKEY_EDIT));
    UINT modifiers = 0;
    UINT key = 0;
    if (LoadShowWindowHotKey(modifiers, key))
        m_hotKeyEdit.ShowModifiersAndKey(modifiers, key);
    SetFocus(m_hotKeyEdit.GetHwnd());
    PutCaretAtEnd();
    UpdateOkButton();
}

void CKeyShortcutsDialog::OnCommand(WPARAM wParam)
{
    if (wParam == IDOK)
        OnOk();
    else if (wParam == IDCANCEL)
        OnCancel();
    else if (HIWORD(wParam) == EN_SETFOCUS)
        PutCaretAtEnd();
    else if (HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == IDC_SHOW_WINDOW_HOTKEY_EDIT)
        UpdateOkButton();
}

void CKeyShortcutsDialog::OnOk()
{
    // While the field holds the stored hotkey, the registration and the stored value stay
    // as they are.
    const UINT modifiers = m_hotKeyEdit.GetModifiers();
    const UINT key = m_hotKeyEdit.GetKey();
    if (m_hotKeyEdit.IsChanged() && modifiers && key)
    {
        // A combination an entry holds is refused; the dialog stays open for another.
        const CCatalogue* catalogue = CCatalogue::Current();
        if (catalogue && catalogue->RefuseHeldShowWindowHotKey(GetHwnd(), modifiers, key))
            return;
        // Stored even when another program holds the combination: it is tried again until
        // it is free.
        const bool active = CCatalogue::RegisterShowWindowHotKey(m_mainWindow, modifiers, key);
        SaveShowWindowHotKey(modifiers, key);
        if (!active)
            MessageBoxW(GetHwnd(), LoadResString(IDS_HOTKEY_NOT_ACTIVE).c_str(), nullptr,
                        MB_ICONWARNING);
    }
    NotifyClosed();
    EndDialog(GetHwnd(), IDOK);
}

void CKeyShortcutsDialog::OnCancel()
{
    NotifyClosed();
    EndDialog(GetHwnd(), IDCANCEL);
}

void CKeyShortcutsDialog::NotifyClosed()
{
    // Posted, not sent: the main window deletes this object, which must not happen while
    // its dialog procedure is still running.
    PostMessageW(m_mainWindow, WM_COMMAND, IDC_HOTKEY_DIALOG_CLOSED, 0);
}

void CKeyShortcutsDialog::PutCaretAtEnd()
{
    const int end = m_hotKeyEdit.GetLineLength();
    m_hotKeyEdit.SendMessage(EM_SETSEL, end, end);
}

void CKeyShortcutsDialog::UpdateOkButton()
{
    EnableWindow(GetDlgItem(GetHwnd(), IDOK), !m_hotKeyEdit.GetText().empty());
}
