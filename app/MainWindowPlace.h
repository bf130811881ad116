#pragma once

#include <windows.h>

// Where and how the main window appears on its monitor. The stored place is the restored
// rectangle of GetWindowPlacement, in workspace coordinates: they differ from screen
// coordinates by the application bars (the taskbar) at the top or left of the monitor
// that holds the window. Read as screen coordinates, a place saved with the taskbar at
// the top would move down by the taskbar's height at every start.
class CMainWindowPlace
{
public:
    // stored: right equal to left when none is stored. The window is never smaller than
    // minimum, so that it does not jump to that size at its first restore.
    CMainWindowPlace(const RECT& stored, SIZE minimum);

    // The rectangle to create the window at, in screen coordinates: the stored place
    // when it lies on a monitor, otherwise half the usable screen, centred.
    const RECT& GetScreenRect() const { return m_screen; }

    // Shows the window created at the screen rectangle, maximized if asked.
    void Show(HWND window, bool maximized) const;

    // A workspace rectangle in the screen coordinates of a monitor.
    static RECT WorkspaceToScreen(const RECT& workspace, const MONITORINFO& monitor);

    // A maximized window covers the work area of its monitor, with its frame beyond the
    // edges, as the maximize box leaves it: never the taskbar.
    static void FitMaximizedToWorkArea(HWND window, MINMAXINFO& info);
    // The same for a monitor and the window frame's thickness.
    static void FitMaximized(MINMAXINFO& info, const MONITORINFO& monitor, SIZE frame);

private:
    bool m_stored = false;
    RECT m_workspace = {};
    RECT m_screen = {};
};
