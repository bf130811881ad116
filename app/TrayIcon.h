#pragma once

#include <windows.h>

struct CSettings;

// The program's icon in the notification area, which sends WM_TRAYICON to its window,
// and the menu it opens.
class CTrayIcon
{
public:
    static constexpr UINT Id = 1;

    // Also after the shell has restarted: the icon is then gone.
    static void Add(HWND window);
    // The icon comes from LoadIconW, which shares one icon for the whole run: it is never
    // destroyed.
    static void Remove(HWND window);
    // The menu at the cursor, its options checked as the settings are; the command chosen,
    // or 0.
    static UINT ShowMenu(HWND window, const CSettings& settings);
};
