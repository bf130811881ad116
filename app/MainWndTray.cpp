#include "app/MainWnd.h"

// What the tray icon and its menu do to the main window.

#include "app/AboutBox.h"
#include "app/TrayIcon.h"
#include "dialogs/KeyShortcutsDialog.h"
#include "resources/resource.h"
#include "store/SettingsStore.h"

LRESULT CMainWnd::OnTrayIcon(WPARAM id, LPARAM mouseMessage)
{
    if (id != CTrayIcon::Id)
        return 0;
    if (mouseMessage == WM_LBUTTONDOWN)
        ShowMainWindow();
    else if (mouseMessage == WM_RBUTTONDOWN)
        CarryOutTrayCommand(CTrayIcon::ShowMenu(GetHwnd(), m_settings));
    return 0;
}

// Without this a window hidden in the tray would be unreachable after the shell restarts.
LRESULT CMainWnd::OnTaskbarCreated()
{
    CTrayIcon::Add(GetHwnd());
    return 0;
}

void CMainWnd::CarryOutTrayCommand(UINT command)
{
    switch (command)
    {
    case ID_LAUNCH_ON_STARTUP:
        SetLaunchOnStartup(m_settings, m_settings.m_startupCommand.empty());
        break;
    case ID_SHOW_APPLICATION_ICONS:
        SaveShowApplicationIcons(m_settings, !m_settings.m_showApplicationIcons);
        LayoutPages();
        break;
    case ID_SHOW_FOLDER_ICONS:
        SaveShowFolderIcons(m_settings, !m_settings.m_showFolderIcons);
        LayoutPages();
        break;
    case ID_SHOW_SHORTCUT_ICONS:
        SaveShowShortcutIcons(m_settings, !m_settings.m_showShortcutIcons);
        LayoutPages();
        break;
    case ID_HIDE_AFTER_LAUNCH:
        SaveHideAfterLaunch(m_settings, !m_settings.m_hideAfterLaunch);
        break;
    case ID_RESTORE:
        ShowMainWindow();
        break;
    case ID_SHORTCUT_KEYS:
        ShowHotKeyDialog();
        break;
    default:
        // "E&xit" and "&About": the same as the window's own commands.
        OnCommand(command);
        break;
    }
}

void CMainWnd::ShowHotKeyDialog()
{
    if (m_hotKeyDialog)
    {
        m_hotKeyDialog->BringForward();
        return;
    }
    m_hotKeyDialog = std::make_unique<CKeyShortcutsDialog>(GetHwnd());
    if (!m_hotKeyDialog->Create())
        m_hotKeyDialog.reset();
}

void CMainWnd::ShowAboutBox()
{
    ::ShowAboutBox(GetHwnd());
}
