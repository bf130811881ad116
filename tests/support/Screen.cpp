#include "tests/support/Screen.h"

#include "tests/support/Harness.h"

#include <algorithm>

namespace e2e
{
const wchar_t MenuClass[] = L"#32768";
const wchar_t DialogClass[] = L"#32770";

namespace
{
struct CWindowSearch
{
    const CWindowQuery& query;
    HWND found;
};

bool HasText(HWND window, int (*get)(HWND, wchar_t*, int), const wchar_t* expected)
{
    if (expected == nullptr)
        return true;
    wchar_t text[512] = {};
    get(window, text, 512);
    return lstrcmpW(text, expected) == 0;
}

int ClassNameOf(HWND window, wchar_t* name, int size)
{
    return GetClassNameW(window, name, size);
}

int TitleOf(HWND window, wchar_t* title, int size)
{
    return GetWindowTextW(window, title, size);
}

bool Matches(HWND window, const CWindowQuery& query)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return (query.pid == 0 || pid == query.pid) &&
           (!query.visibleOnly || IsWindowVisible(window)) &&
           (!query.enabledOnly || IsWindowEnabled(window)) &&
           HasText(window, ClassNameOf, query.className) && HasText(window, TitleOf, query.title) &&
           (query.staticText == nullptr ||
            FindWindowExW(window, nullptr, L"Static", query.staticText) != nullptr);
}

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<CWindowSearch*>(param);
    if (!Matches(window, search->query))
        return TRUE;
    search->found = window;
    return FALSE;
}
} // namespace

HWND FindTopLevel(const CWindowQuery& query)
{
    CWindowSearch search = {query, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindDialog(DWORD pid, const wchar_t* title)
{
    CWindowQuery query;
    query.pid = pid;
    query.className = DialogClass;
    query.title = title;
    query.visibleOnly = false;
    return FindTopLevel(query);
}

HWND ShownPopupMenu()
{
    for (HWND menu = FindWindowExW(nullptr, nullptr, MenuClass, nullptr); menu != nullptr;
         menu = FindWindowExW(nullptr, menu, MenuClass, nullptr))
        if (IsWindowVisible(menu))
            return menu;
    return nullptr;
}

bool PopupMenuShown()
{
    return ShownPopupMenu() != nullptr;
}

std::wstring ControlText(HWND control)
{
    wchar_t text[256] = L"";
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_BLOCK,
                        DefaultTimeoutMs, &copied);
    return text;
}

std::wstring WindowTitle(HWND window)
{
    wchar_t title[256] = L"";
    GetWindowTextW(window, title, 256);
    return title;
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

bool WaitForTip(DWORD pid, const std::wstring& text, std::wstring& seen)
{
    seen = L"none";
    return WaitFor(
        [&]
        {
            const HWND tip = FindTopLevel({pid, L"tooltips_class32"});
            if (tip != nullptr)
                seen = L"\"" + ControlText(tip) + L"\"";
            return tip != nullptr && ControlText(tip) == text;
        });
}

bool WaitForNoTip(DWORD pid)
{
    return WaitFor([pid] { return FindTopLevel({pid, L"tooltips_class32"}) == nullptr; });
}

std::vector<HWND> VisibleChildren(HWND parent, const wchar_t* className)
{
    std::vector<HWND> found;
    for (HWND child = FindWindowExW(parent, nullptr, className, nullptr); child != nullptr;
         child = FindWindowExW(parent, child, className, nullptr))
        if (IsWindowVisible(child))
            found.push_back(child);
    return found;
}

std::vector<HWND> ListWindowsInOrder(HWND parent)
{
    std::vector<HWND> windows = VisibleChildren(parent, L"ListItem");
    std::sort(windows.begin(), windows.end(),
              [](HWND a, HWND b)
              {
                  const RECT first = WindowRect(a);
                  const RECT second = WindowRect(b);
                  return first.left != second.left ? first.left < second.left
                                                   : first.top < second.top;
              });
    return windows;
}

int SystemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int ScaleToSystemDpi(int designPixels)
{
    return MulDiv(designPixels, SystemDpi(), 96);
}

SIZE TabTextSize(HWND tabs, const std::wstring& text)
{
    LOGFONTW description = {};
    description.lfHeight = ScaleToSystemDpi(15);
    description.lfWeight = FW_BOLD;
    lstrcpyW(description.lfFaceName, L"Microsoft Sans Serif");
    const HFONT font = CreateFontIndirectW(&description);
    HDC dc = GetDC(tabs);
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(tabs, dc);
    DeleteObject(font);
    return size;
}

POINT TabPoint(HWND tabs, int index)
{
    const RECT strip = WindowRect(tabs);
    if (index == 0)
        return {strip.left + 20, strip.top + 10};
    // The second tab starts 4 pixels after the first, whose width follows its text.
    const SIZE first = TabTextSize(tabs, L"Applications");
    return {strip.left + 6 + first.cx + 16 + 20, strip.top + 10};
}

POINT TrayIconPoint()
{
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    const RECT rect = WindowRect(tray);
    return {rect.right - 11, (rect.top + rect.bottom) / 2};
}

COLORREF ScreenPixel(POINT point)
{
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

int CountColourIn(const std::vector<HWND>& windows, COLORREF colour)
{
    int count = 0;
    HDC screen = GetDC(nullptr);
    for (HWND window : windows)
    {
        const RECT rect = WindowRect(window);
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                count += GetPixel(screen, x, y) == colour ? 1 : 0;
    }
    ReleaseDC(nullptr, screen);
    return count;
}
// Drawn at the ball's own size, as the row draws it; its centre is opaque.
COLORREF BallCentreColour(UINT iconId)
{
    constexpr int size = 10;
    const HMODULE program = LoadLibraryExW((ExecutableDirectory() + L"pathmoor.exe").c_str(),
                                           nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!program)
        return CLR_INVALID;
    const auto icon = static_cast<HICON>(
        LoadImageW(program, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, 0));
    COLORREF colour = CLR_INVALID;
    if (icon)
    {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
        HGDIOBJ old = SelectObject(dc, bitmap);
        DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        colour = GetPixel(dc, BallCentreX - 6, BallCentreY - 4);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        DestroyIcon(icon);
    }
    FreeLibrary(program);
    return colour;
}
} // namespace e2e
