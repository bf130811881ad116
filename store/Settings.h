#pragma once

#include <windows.h>

#include <string>

// The settings of one run, loaded at start-up and written back as they change.
struct CSettings
{
    // Restored rectangle of the main window; right equal to left: none stored.
    RECT m_windowRect = {0, 0, 0, 0};
    bool m_maximized = false;
    // The command in the shell's Run key; empty while launch on startup is off.
    std::wstring m_startupCommand;
    // No earlier run has left its marker.
    bool m_firstLaunch = true;
    bool m_showApplicationIcons = true;
    bool m_showFolderIcons = true;
    bool m_showShortcutIcons = true;
    bool m_hideAfterLaunch = false;
};
