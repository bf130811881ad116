#pragma once

#include "toolkit/KeyShortcutEdit.h"
#include "toolkit/Window.h"

// The modeless "Shortcut key" dialog: chooses the global hotkey (id 0 of the main
// window) that brings the main window forward, registers it and stores it.
// OK and Cancel both post WM_COMMAND IDC_HOTKEY_DIALOG_CLOSED to the main window, which
// then deletes this object; deleting it destroys the dialog. Until then the main window's
// message loop offers the dialog its messages: CApplication::PreTranslateMessage first
// (the hotkey field captures keys there), then IsDialogMessageW.
class CKeyShortcutsDialog : public CWindow
{
public:
    explicit CKeyShortcutsDialog(HWND mainWindow);

    // Creates the dialog window, owned by the main window; null when that fails.
    HWND Create();
    // Shows the dialog again and activates it, for a second request while it exists.
    void BringForward();

    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnInitDialog();
    void OnCommand(WPARAM wParam);
    void OnOk();
    void OnCancel();
    void PutCaretAtEnd();
    void UpdateOkButton();
    void NotifyClosed();

    CKeyShortcutEdit m_hotKeyEdit{true};
    HWND m_mainWindow;
};
