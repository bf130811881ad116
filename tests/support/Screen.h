#pragma once

// Windows of the program and what the screen shows of them, read from outside.

#include <windows.h>

#include <string>
#include <vector>

namespace e2e
{
extern const wchar_t MenuClass[];
extern const wchar_t DialogClass[];
constexpr COLORREF Yellow = RGB(255, 255, 0); // the search highlight
constexpr int RowHeight = 22;
constexpr int BallCentreX = 11; // the 10-pixel ball starts 6 pixels in
constexpr int BallCentreY = 9;  // and 4 pixels down

// The centre colour of a state ball icon (IDI_NOT_RUNNING and the like) as pathmoor.exe
// draws it, read from the program's own resources; CLR_INVALID when it cannot be had.
COLORREF BallCentreColour(UINT iconId);
// Toolbar client points: the centres of the two 26 by 20 buttons and a point in the box.
constexpr POINT AddGroupPoint = {13, 10};
constexpr POINT AddItemPoint = {39, 10};
constexpr POINT SearchBoxPoint = {100, 10};

// What a top-level window has to be; null fields match anything.
struct CWindowQuery
{
    DWORD pid = 0;
    const wchar_t* className = nullptr;
    const wchar_t* title = nullptr;
    const wchar_t* staticText = nullptr; // shown by one of its "Static" children
    bool visibleOnly = true;
    bool enabledOnly = false; // only a window that takes input: the innermost modal one
};

// The first top-level window in z-order that matches, or null.
HWND FindTopLevel(const CWindowQuery& query);
// A dialog of the process with that title, visible or hidden, or null.
HWND FindDialog(DWORD pid, const wchar_t* title);
// Wine keeps hidden menu windows around, so every one of them is looked at.
bool PopupMenuShown();
// The popup menu window on screen, or null.
HWND ShownPopupMenu();
// GetWindowTextW of another process's control returns only its stored title, so the
// control itself is asked with WM_GETTEXT.
std::wstring ControlText(HWND control);
// The stored title another process's GetWindowTextW gives: the name of a row or header.
std::wstring WindowTitle(HWND window);
// The control with the keyboard focus in the thread that owns the window.
HWND FocusOf(HWND window);
std::vector<HWND> VisibleChildren(HWND parent, const wchar_t* className);
// Waits for the process's tooltip to show that text; seen receives what it showed
// ("none" when no tip came up), for the failure message.
bool WaitForTip(DWORD pid, const std::wstring& text, std::wstring& seen);
// Waits for every tooltip of the process to be gone.
bool WaitForNoTip(DWORD pid);
// The visible rows and headers of a page or pane, column by column, each from the top.
std::vector<HWND> ListWindowsInOrder(HWND parent);
// The system's DPI, at which the program draws everything.
int SystemDpi();
// A measure of 96 DPI at the system's DPI, rounded as the program rounds it.
int ScaleToSystemDpi(int designPixels);
// The size of a tab's text in the bold font the strip draws it in.
SIZE TabTextSize(HWND tabs, const std::wstring& text);
// A point on a tab of the main window's strip, in screen coordinates: index 0 or 1.
POINT TabPoint(HWND tabs, int index);
// The rightmost icon of the notification area in Wine's taskbar.
POINT TrayIconPoint();
COLORREF ScreenPixel(POINT point);
// Pixels of that colour on the screen inside the windows.
int CountColourIn(const std::vector<HWND>& windows, COLORREF colour);
} // namespace e2e
