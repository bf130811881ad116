#include "app/MainWindowPlace.h"

#include <algorithm>

namespace
{
RECT DefaultRect(SIZE minimum)
{
    const int cx = GetSystemMetrics(SM_CXFULLSCREEN);
    const int cy = GetSystemMetrics(SM_CYFULLSCREEN);
    const int width = std::max<int>(cx / 2, minimum.cx);
    const int height = std::max<int>(cy / 2, minimum.cy);
    const int x = cx / 2 - width / 2;
    const int y = cy / 2 - height / 2;
    return {x, y, x + width, y + height};
}

bool GetMonitor(HMONITOR monitor, MONITORINFO& info)
{
    info = {};
    info.cbSize = sizeof info;
    return monitor != nullptr && GetMonitorInfoW(monitor, &info);
}
} // namespace

CMainWindowPlace::CMainWindowPlace(const RECT& stored, SIZE minimum)
    : m_screen(DefaultRect(minimum))
{
    if (stored.right == stored.left)
        return;
    const RECT workspace = {stored.left, stored.top,
                            stored.left + std::max<int>(stored.right - stored.left, minimum.cx),
                            stored.top + std::max<int>(stored.bottom - stored.top, minimum.cy)};
    // The monitor is found as SetWindowPlacement finds it. A place on a screen that is no
    // longer attached would leave the window unreachable.
    MONITORINFO monitor;
    if (!GetMonitor(MonitorFromRect(&workspace, MONITOR_DEFAULTTONULL), monitor))
        return;
    m_stored = true;
    m_workspace = workspace;
    m_screen = WorkspaceToScreen(workspace, monitor);
}

RECT CMainWindowPlace::WorkspaceToScreen(const RECT& workspace, const MONITORINFO& monitor)
{
    RECT screen = workspace;
    OffsetRect(&screen, monitor.rcWork.left - monitor.rcMonitor.left,
               monitor.rcWork.top - monitor.rcMonitor.top);
    return screen;
}

// Created at the screen rectangle, the window gets the stored place once more through
// SetWindowPlacement: the system's own conversion, the inverse of the one GetWindowPlacement
// made when the place was saved. Where both agree, nothing moves.
void CMainWindowPlace::Show(HWND window, bool maximized) const
{
    const int show = maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!m_stored || !GetWindowPlacement(window, &placement))
    {
        ShowWindow(window, show);
        return;
    }
    placement.flags = 0;
    placement.showCmd = show;
    placement.rcNormalPosition = m_workspace;
    SetWindowPlacement(window, &placement);
}

void CMainWindowPlace::FitMaximizedToWorkArea(HWND window, MINMAXINFO& info)
{
    MONITORINFO monitor;
    // Only on the primary monitor: for another one Windows moves these values there
    // itself (they are given for the primary one), while Wine may take them as screen
    // coordinates.
    if (!GetMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), monitor) ||
        (monitor.dwFlags & MONITORINFOF_PRIMARY) == 0)
        return;
    // The frame the maximize box leaves off screen: the window's borders without the
    // caption, which is kept out by taking WS_BORDER from it.
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    RECT frame = {};
    AdjustWindowRectEx(&frame, (style & WS_CAPTION) == WS_CAPTION ? style & ~WS_BORDER : style,
                       FALSE, exStyle);
    FitMaximized(info, monitor, SIZE{-frame.left, -frame.top});
}

void CMainWindowPlace::FitMaximized(MINMAXINFO& info, const MONITORINFO& monitor, SIZE frame)
{
    const RECT& work = monitor.rcWork;
    info.ptMaxPosition = {work.left - monitor.rcMonitor.left - frame.cx,
                          work.top - monitor.rcMonitor.top - frame.cy};
    info.ptMaxSize = {work.right - work.left + 2 * frame.cx, work.bottom - work.top + 2 * frame.cy};
}
