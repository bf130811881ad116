#include "app/TrayIcon.h"

#include <shellapi.h>

#include "app/MainWnd.h"
#include "resources/resource.h"
#include "store/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/PopupMenu.h"

namespace
{
const wchar_t TipText[] = L"Pathmoor";

NOTIFYICONDATAW MakeTrayIconData(HWND window)
{
    NOTIFYICONDATAW data = {};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = CTrayIcon::Id;
    return data;
}
} // namespace

void CTrayIcon::Add(HWND window)
{
    NOTIFYICONDATAW data = MakeTrayIconData(window);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAYICON;
    data.hIcon =
        LoadIconW(CApplication::Instance().GetInstanceHandle(), MAKEINTRESOURCEW(IDI_PATHMOOR));
    lstrcpynW(data.szTip, TipText, ARRAYSIZE(data.szTip));
    Shell_NotifyIconW(NIM_ADD, &data);
}

void CTrayIcon::Remove(HWND window)
{
    NOTIFYICONDATAW data = MakeTrayIconData(window);
    Shell_NotifyIconW(NIM_DELETE, &data);
}

UINT CTrayIcon::ShowMenu(HWND window, const CSettings& settings)
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    auto prepare = [&settings](HMENU popup)
    {
        auto check = [popup](UINT id, bool on)
        { CheckMenuItem(popup, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED)); };
        check(ID_LAUNCH_ON_STARTUP, !settings.m_startupCommand.empty());
        check(ID_SHOW_APPLICATION_ICONS, settings.m_showApplicationIcons);
        check(ID_SHOW_FOLDER_ICONS, settings.m_showFolderIcons);
        check(ID_SHOW_SHORTCUT_ICONS, settings.m_showShortcutIcons);
        check(ID_HIDE_AFTER_LAUNCH, settings.m_hideAfterLaunch);
    };
    // The menu must be owned by the foreground window to close when the user clicks elsewhere.
    SetForegroundWindow(window);
    return TrackMenuResource(IDM_TRAY_MENU, cursor, window, prepare);
}
