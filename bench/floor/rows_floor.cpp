// The floor the start-up, resource and search benchmarks compare with: a bare
// Win32 program with a toolbar holding a search box, and one child window per
// entry and per category header, laid out in the same columns as the program's
// page and painting its name. A change in the search box moves and invalidates
// every row, which then paints the first match of the search text on yellow
// as the program does. Given "read" instead of a count, it first reads the
// catalogue the benchmark stored with one bare registry call per key and value,
// and shows what it read; then a right click on a row offers "Edit" (a dialog
// with a name field) and "Delete" (a Yes/No prompt), which write the change with
// bare registry calls on the window's thread and lay the rows out again
// (bench/floor/FloorEdits.cpp).
//
// Words after that add, one by one, what the program pays for beyond its own code,
// so the memory benchmark can tell each share: "fonts" paints the rows in the
// program's face and its headers in bold, "icons" draws each entry's small icon from
// the shell's system image list, "thread" makes the catalogue on a second thread.
//
//   rows_floor.exe (ENTRIES | read) [fonts] [icons] [thread]

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "bench/floor/BenchSupport.h"
#include "bench/floor/FloorEdits.h"
#include "store/RegistryNames.h"
#include "toolkit/WorkerThread.h"

namespace
{
const wchar_t RowClass[] = L"FloorRow";
const wchar_t ToolbarClass[] = L"FloorToolbar";
constexpr int ToolbarHeight = 22;
constexpr int PageTop = 49;
constexpr int PaneWidth = 140;
constexpr int ColumnWidth = 140;
constexpr int ColumnStep = 150;
constexpr int RowHeight = 22;
constexpr int MinimumWidth = 600;
constexpr int MinimumHeight = 400;

constexpr int TextLeft = 22; // after the program's icon
const COLORREF HighlightColour = RGB(255, 255, 0);

using bench::FloorColumn;
using bench::FloorRow;

// GWLP_ID of a category's header; an entry's row holds its icon index + 1 in GWLP_USERDATA.
constexpr LONG_PTR HeaderId = 1;
constexpr int IconLeft = 3;
constexpr int IconTop = 3;
// The program's face and size at 96 DPI.
const wchar_t FontFace[] = L"Microsoft Sans Serif";
constexpr int FontHeight = 15;

bool g_fonts = false;
bool g_icons = false;
bool g_thread = false;
HFONT g_rowFont = nullptr;
HFONT g_headerFont = nullptr;
HIMAGELIST g_systemSmallIcons = nullptr;

std::vector<FloorColumn> g_columns;
HWND g_page = nullptr;
HWND g_search = nullptr;
std::wstring g_searchText; // lower-cased

std::wstring LowerCased(std::wstring text)
{
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// Draws text at x, on yellow when highlighted; returns the x after it.
int DrawRun(HDC dc, const std::wstring& text, int x, int y, bool highlighted)
{
    SetBkMode(dc, highlighted ? OPAQUE : TRANSPARENT);
    SetBkColor(dc, HighlightColour);
    TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return x + size.cx;
}

void DrawName(HDC dc, const std::wstring& name, int y)
{
    const size_t match =
        g_searchText.empty() ? std::wstring::npos : LowerCased(name).find(g_searchText);
    if (match == std::wstring::npos)
    {
        DrawRun(dc, name, TextLeft, y, false);
        return;
    }
    int x = DrawRun(dc, name.substr(0, match), TextLeft, y, false);
    x = DrawRun(dc, name.substr(match, g_searchText.size()), x, y, true);
    DrawRun(dc, name.substr(match + g_searchText.size()), x, y, false);
}

LRESULT OnRowPaint(HWND window)
{
    PAINTSTRUCT paint = {};
    const HDC dc = BeginPaint(window, &paint);
    RECT client = {};
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    if (g_fonts)
        SelectObject(dc, GetWindowLongPtrW(window, GWLP_ID) == HeaderId ? g_headerFont : g_rowFont);
    const LONG_PTR icon = GetWindowLongPtrW(window, GWLP_USERDATA);
    if (g_systemSmallIcons && icon > 0)
        ImageList_Draw(g_systemSmallIcons, static_cast<int>(icon - 1), dc, IconLeft, IconTop,
                       ILD_TRANSPARENT);
    wchar_t name[64] = {};
    GetWindowTextW(window, name, ARRAYSIZE(name));
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    DrawName(dc, name, (client.bottom - metrics.tmHeight) / 2);
    EndPaint(window, &paint);
    return 0;
}

// Categories side by side, wrapping below the tallest one when the page is full.
void ForEachRowPlace(const std::function<void(FloorRow&, const RECT&)>& visit)
{
    RECT client = {};
    GetClientRect(g_page, &client);
    int x = 0;
    int y = 0;
    int bandBottom = 0;
    for (FloorColumn& column : g_columns)
    {
        if (x + ColumnWidth > client.right)
        {
            y = bandBottom + RowHeight;
            x = 0;
            bandBottom = 0;
        }
        visit(column.header, {x, y, x + ColumnWidth, y + RowHeight});
        int rowY = y + RowHeight;
        for (FloorRow& entry : column.entries)
        {
            visit(entry, {x, rowY, x + ColumnWidth, rowY + RowHeight});
            rowY += RowHeight;
        }
        x += ColumnStep;
        bandBottom = std::max(bandBottom, rowY);
    }
}

RECT PlaceOf(HWND row)
{
    RECT rect = {};
    GetWindowRect(row, &rect);
    MapWindowPoints(nullptr, GetParent(row), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Moves the rows that are no longer in their place, in one go.
void LayOutRows()
{
    ForEachRowPlace(
        [](FloorRow& row, const RECT& place)
        {
            const RECT now = PlaceOf(row.window);
            if (now.left != place.left || now.top != place.top)
                SetWindowPos(row.window, nullptr, place.left, place.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        });
}

LRESULT CALLBACK RowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT)
        return OnRowPaint(window);
    if (msg == WM_CONTEXTMENU)
    {
        bench::EditRowFromMenu(GetAncestor(window, GA_ROOT), g_columns, window);
        LayOutRows();
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

void RepaintRows()
{
    ForEachRowPlace(
        [](FloorRow& row, const RECT&)
        {
            const RECT rect = PlaceOf(row.window);
            SetWindowPos(row.window, nullptr, rect.left, rect.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            InvalidateRect(row.window, nullptr, FALSE);
        });
}

LRESULT CALLBACK ToolbarProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE)
    {
        wchar_t text[64] = {};
        GetWindowTextW(g_search, text, ARRAYSIZE(text));
        g_searchText = LowerCased(text);
        RepaintRows();
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

LRESULT CALLBACK MainProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY)
    {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

bool RegisterWindowClass(const wchar_t* name, WNDPROC proc, int background)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
    windowClass.lpszClassName = name;
    return RegisterClassW(&windowClass) != 0;
}

HWND CreateChild(const wchar_t* className, const std::wstring& text, DWORD style, RECT rect,
                 HWND parent)
{
    return CreateWindowExW(0, className, text.c_str(), WS_CHILD | style, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

struct FloorCategory
{
    std::wstring name;
    std::vector<std::wstring> entries;
};

std::vector<FloorCategory> CountedCatalogue(int entries)
{
    std::vector<FloorCategory> categories;
    for (int entry = 0; entry < entries; ++entry)
    {
        if (entry % bench::EntriesPerCategory == 0)
            categories.push_back({bench::CategoryName(entry / bench::EntriesPerCategory), {}});
        categories.back().entries.push_back(bench::EntryName(entry));
    }
    return categories;
}

// The values are read into one buffer and dropped: only the reading is measured.
void ReadEntryValues(HKEY category, const std::wstring& entry)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(category, entry.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    BYTE data[(MAX_PATH + 1) * sizeof(wchar_t)] = {};
    for (const wchar_t* value : {ItemPathValue, ArgumentsValue, StartInValue, HotKeyValue})
    {
        DWORD size = sizeof(data);
        RegQueryValueExW(key, value, nullptr, nullptr, data, &size);
    }
    RegCloseKey(key);
}

std::vector<FloorCategory> StoredCatalogue()
{
    std::vector<FloorCategory> categories;
    const std::wstring path = bench::ApplicationsPath();
    HKEY kind = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &kind) != ERROR_SUCCESS)
        return categories;
    for (const std::wstring& name : bench::SubkeyNames(kind))
    {
        HKEY category = nullptr;
        if (RegOpenKeyExW(kind, name.c_str(), 0, KEY_READ, &category) != ERROR_SUCCESS)
            continue;
        categories.push_back({name, bench::SubkeyNames(category)});
        for (const std::wstring& entry : categories.back().entries)
            ReadEntryValues(category, entry);
        RegCloseKey(category);
    }
    RegCloseKey(kind);
    return categories;
}

// Every entry names the same program; each row asks, as the program's rows do.
int AskShellForIconIndex()
{
    SHFILEINFOW info = {};
    const auto list = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(
        bench::EntryPath().c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (!list)
        return -1;
    g_systemSmallIcons = list;
    return info.iIcon;
}

HFONT CreateProgramFont(int weight)
{
    const HDC screen = GetDC(nullptr);
    LOGFONTW font = {};
    font.lfHeight = MulDiv(FontHeight, GetDeviceCaps(screen, LOGPIXELSY), 96);
    font.lfWeight = weight;
    lstrcpynW(font.lfFaceName, FontFace, LF_FACESIZE);
    ReleaseDC(nullptr, screen);
    return CreateFontIndirectW(&font);
}

void CreateRows(const std::vector<FloorCategory>& categories)
{
    for (const FloorCategory& category : categories)
    {
        g_columns.push_back({{nullptr, category.name}, {}});
        for (const std::wstring& entry : category.entries)
            g_columns.back().entries.push_back({nullptr, entry});
    }
    ForEachRowPlace([](FloorRow& row, const RECT& place)
                    { row.window = CreateChild(RowClass, row.name, 0, place, g_page); });
    for (const FloorColumn& column : g_columns)
    {
        SetWindowLongPtrW(column.header.window, GWLP_ID, HeaderId);
        for (const FloorRow& entry : column.entries)
            SetWindowLongPtrW(entry.window, GWLP_USERDATA,
                              g_icons ? AskShellForIconIndex() + 1 : 0);
    }
    ForEachRowPlace([](FloorRow& row, const RECT&) { ShowWindow(row.window, SW_SHOW); });
}

RECT InitialGeometry()
{
    const int cx = GetSystemMetrics(SM_CXFULLSCREEN);
    const int cy = GetSystemMetrics(SM_CYFULLSCREEN);
    const int width = std::max(cx / 2, MinimumWidth);
    const int height = std::max(cy / 2, MinimumHeight);
    return {cx / 2 - width / 2, cy / 2 - height / 2, width, height};
}

HWND CreateMainWindow()
{
    const RECT geometry = InitialGeometry();
    return CreateWindowExW(0, bench::FloorMainClass, L"Floor",
                           WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, geometry.left, geometry.top,
                           geometry.right, geometry.bottom, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

void CreateChildren(HWND main, const std::vector<FloorCategory>& categories)
{
    RECT client = {};
    GetClientRect(main, &client);
    const HWND toolbar = CreateChild(ToolbarClass, L"", WS_VISIBLE | WS_CLIPCHILDREN,
                                     {0, 0, client.right, ToolbarHeight}, main);
    g_search = CreateChild(L"Edit", L"", WS_VISIBLE | ES_AUTOHSCROLL, {50, 2, 210, 20}, toolbar);
    g_page = CreateChild(L"Static", L"", WS_VISIBLE | WS_CLIPCHILDREN,
                         {0, PageTop, client.right - PaneWidth, client.bottom}, main);
    CreateRows(categories);
}
struct CatalogueSource
{
    bool read = false;
    int entries = 0;
};

// The first word is the entry count or "read"; the flags follow.
CatalogueSource ParseArguments(const std::wstring& arguments)
{
    CatalogueSource source;
    size_t start = 0;
    for (bool first = true; start < arguments.size(); first = false)
    {
        const size_t end = std::min(arguments.find(L' ', start), arguments.size());
        const std::wstring word = arguments.substr(start, end - start);
        start = end + 1;
        if (first && word == bench::ReadCatalogueArgument)
            source.read = true;
        else if (first)
            source.entries = static_cast<int>(std::wcstol(word.c_str(), nullptr, 10));
        g_fonts = g_fonts || word == L"fonts";
        g_icons = g_icons || word == L"icons";
        g_thread = g_thread || word == L"thread";
    }
    return source;
}

// On a second thread when asked, the program's kind of worker.
std::vector<FloorCategory> Catalogue(const CatalogueSource& source)
{
    std::vector<FloorCategory> categories;
    const auto make = [&]
    { categories = source.read ? StoredCatalogue() : CountedCatalogue(source.entries); };
    if (!g_thread)
    {
        make();
        return categories;
    }
    CWorkerThread reader;
    reader.Start(make);
    reader.Join();
    return categories;
}
} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int)
{
    const std::vector<FloorCategory> categories = Catalogue(ParseArguments(arguments));
    if (g_fonts)
    {
        g_rowFont = CreateProgramFont(FW_DONTCARE);
        g_headerFont = CreateProgramFont(FW_BOLD);
    }
    if (!RegisterWindowClass(bench::FloorMainClass, MainProc, COLOR_BTNFACE) ||
        !RegisterWindowClass(RowClass, RowProc, COLOR_WINDOW) ||
        !RegisterWindowClass(ToolbarClass, ToolbarProc, COLOR_BTNFACE))
        return 1;
    const HWND main = CreateMainWindow();
    if (main == nullptr)
        return 1;
    CreateChildren(main, categories);
    ShowWindow(main, SW_SHOWNORMAL);
    MSG msg = {};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
