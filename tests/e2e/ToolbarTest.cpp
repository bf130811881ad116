// The toolbar as a user meets it: "Add group" and "Add item" act on the page shown, the
// search box highlights what is typed in entry names, and the About box opens from the
// tray menu and closes with Esc.

#include <gtest/gtest.h>

#include "tests/e2e/Harness.h"

#include <string>
#include <vector>

using namespace e2e;

namespace
{
constexpr COLORREF Yellow = RGB(255, 255, 0);
// Toolbar client points: the centres of the two 26 by 20 buttons and a point in the box.
constexpr POINT AddGroupPoint = {13, 10};
constexpr POINT AddItemPoint = {39, 10};
constexpr POINT SearchBoxPoint = {100, 10};
const std::wstring SearchEntryKey =
    std::wstring(ProgramRoot) + L"\\Applications\\Category\\Toolbar apps\\ZEBQuill";

bool WriteString(const std::wstring& path, const wchar_t* name, const std::wstring& value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result =
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool KeyExists(const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

int CountVisibleRows(HWND page)
{
    int count = 0;
    for (HWND child = FindWindowExW(page, nullptr, L"ListItem", nullptr); child != nullptr;
         child = FindWindowExW(page, child, L"ListItem", nullptr))
        count += IsWindowVisible(child) ? 1 : 0;
    return count;
}

// Yellow pixels on the screen inside the rows of the page.
int CountYellowInRows(HWND page)
{
    int yellow = 0;
    HDC screen = GetDC(nullptr);
    for (HWND row = FindWindowExW(page, nullptr, L"ListItem", nullptr); row != nullptr;
         row = FindWindowExW(page, row, L"ListItem", nullptr))
    {
        if (!IsWindowVisible(row))
            continue;
        const RECT rect = WindowRect(row);
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                yellow += GetPixel(screen, x, y) == Yellow ? 1 : 0;
    }
    ReleaseDC(nullptr, screen);
    return yellow;
}

// Letters as a user types them, without Shift: lower case.
void TypeLetters(const std::wstring& letters)
{
    for (wchar_t letter : letters)
        PressKey(static_cast<WORD>(towupper(letter)));
}

bool PopupMenuShown()
{
    HWND menu = FindWindowW(L"#32768", nullptr);
    return menu != nullptr && IsWindowVisible(menu);
}

std::wstring TitleOf(HWND window)
{
    wchar_t title[64] = L"";
    GetWindowTextW(window, title, 64);
    return title;
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

class ToolbarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, CountWindowsOfClass(MainWindowClass)) << "a Pathmoor window is left over";
        DeleteProgramRoot();
    }

    void TearDown() override
    {
        if (PopupMenuShown())
            PressKey(VK_ESCAPE);
        m_program.Kill();
        DeleteProgramRoot();
    }

    void Start()
    {
        ASSERT_TRUE(m_program.Start());
        m_window = m_program.WaitForMainWindow();
        ASSERT_NE(nullptr, m_window) << "no main window appeared";
        m_toolbar = FindWindowExW(m_window, nullptr, L"ShortcutsToolBar", nullptr);
        ASSERT_NE(nullptr, m_toolbar);
    }

    void ClickToolbar(POINT point)
    {
        const RECT rect = WindowRect(m_toolbar);
        Click(rect.left + point.x, rect.top + point.y);
    }

    // The program's dialog once it is up and in front.
    HWND WaitForDialog()
    {
        HWND dialog = nullptr;
        WaitFor(
            [&]
            {
                dialog = FindWindowOfProcess(m_program.Pid(), L"#32770");
                return dialog != nullptr && IsWindowVisible(dialog) &&
                       GetForegroundWindow() == dialog;
            });
        return dialog;
    }

    void ShowShortcutsPage()
    {
        HWND tabs = FindWindowExW(m_window, nullptr, L"TabControl", nullptr);
        HWND shortcuts = FindWindowExW(m_window, nullptr, L"Page", L"ShortcutsPage");
        ASSERT_TRUE(tabs && shortcuts);
        HDC dc = GetDC(tabs);
        SIZE first = {};
        GetTextExtentPoint32W(dc, L"Applications", 12, &first);
        ReleaseDC(tabs, dc);
        const RECT strip = WindowRect(tabs);
        Click(strip.left + 6 + first.cx + 16 + 20, strip.top + 10);
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(shortcuts) != FALSE; }))
            << "the shortcuts page did not show";
    }

    // "Add group" with a typed name and Enter: one more row on the page, and the category
    // in the registry once the program has ended.
    void AddGroupOn(const wchar_t* pageTitle, const std::wstring& name, const wchar_t* listKey)
    {
        SCOPED_TRACE(Narrow(pageTitle));
        HWND page = FindWindowExW(m_window, nullptr, L"Page", pageTitle);
        ASSERT_NE(nullptr, page);
        // Rows the program is still laying out would count as the new one.
        Settle(m_window);
        const int rowsBefore = CountVisibleRows(page);
        ClickToolbar(AddGroupPoint);
        const HWND dialog = WaitForDialog();
        ASSERT_NE(nullptr, dialog) << "no category dialog";
        TypeLetters(name);
        PressKey(VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); })) << "the dialog stayed open";
        EXPECT_TRUE(WaitFor([&] { return CountVisibleRows(page) == rowsBefore + 1; }))
            << "rows before " << rowsBefore << ", now " << CountVisibleRows(page);
        m_expectedKeys.push_back(std::wstring(ProgramRoot) + L"\\" + listKey + L"\\Category\\" +
                                 name);
    }

    CProgram m_program;
    HWND m_window = nullptr;
    HWND m_toolbar = nullptr;
    std::vector<std::wstring> m_expectedKeys;
};
} // namespace

TEST_F(ToolbarTest, AddGroupAddsACategoryToEachPage)
{
    Start();
    AddGroupOn(L"ApplicationsPage", L"toolgroupa", L"Applications");
    ShowShortcutsPage();
    AddGroupOn(L"ShortcutsPage", L"toolgroups", L"Shortcuts");
    SaveScreenshot(L"toolbar-add-group");
    ASSERT_TRUE(m_program.Close());
    for (const std::wstring& key : m_expectedKeys)
        EXPECT_TRUE(KeyExists(key)) << "missing key " << Narrow(key);
    EXPECT_FALSE(KeyExists(std::wstring(ProgramRoot) + L"\\Shortcuts\\Category\\toolgroupa"));
    EXPECT_FALSE(KeyExists(std::wstring(ProgramRoot) + L"\\Applications\\Category\\toolgroups"));
}

TEST_F(ToolbarTest, AddItemOpensTheApplicationEditor)
{
    Start();
    ClickToolbar(AddItemPoint);
    const HWND dialog = WaitForDialog();
    ASSERT_NE(nullptr, dialog) << "no item editor";
    EXPECT_EQ(L"Add application", TitleOf(dialog));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); })) << "Esc did not close the editor";
}

TEST_F(ToolbarTest, TypingHighlightsMatchesAndClearingRemovesThem)
{
    ASSERT_TRUE(WriteString(SearchEntryKey, L"ItemPath", L"C:\\windows\\notepad.exe"));
    Start();
    HWND page = FindWindowExW(m_window, nullptr, L"Page", L"ApplicationsPage");
    ASSERT_NE(nullptr, page);
    ASSERT_TRUE(WaitFor([&] { return CountVisibleRows(page) >= 2; })) << "no entry row";
    EXPECT_EQ(0, CountYellowInRows(page)) << "yellow before any search";

    ClickToolbar(SearchBoxPoint);
    TypeLetters(L"ebq");
    EXPECT_TRUE(WaitFor([&] { return CountYellowInRows(page) > 0; }))
        << "the typed text was not highlighted";
    SaveScreenshot(L"toolbar-search");
    const int rows = CountVisibleRows(page);

    for (int i = 0; i < 3; ++i)
        PressKey(VK_BACK);
    EXPECT_TRUE(WaitFor([&] { return CountYellowInRows(page) == 0; }))
        << "the highlight stayed after clearing";
    EXPECT_EQ(rows, CountVisibleRows(page)) << "the search hid or added rows";
}

TEST_F(ToolbarTest, AboutBoxOpensFromTheTrayMenuAndClosesWithEscape)
{
    Start();
    ASSERT_TRUE(WaitFor([&] { return TrayIconExists(m_window, 1); })) << "no tray icon";
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    const RECT rect = WindowRect(tray);
    Click(rect.right - 11, (rect.top + rect.bottom) / 2, false);
    ASSERT_TRUE(WaitFor(PopupMenuShown)) << "the tray menu did not open";
    PressKey('A');
    const HWND about = WaitForDialog();
    ASSERT_NE(nullptr, about) << "no About box";
    EXPECT_EQ(L"About", TitleOf(about));
    SaveScreenshot(L"about-box");
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); })) << "Esc did not close the About box";
}

namespace
{
// The program's tooltip window that is shown, with its text.
HWND VisibleToolTipOf(DWORD pid)
{
    struct CSearch
    {
        DWORD pid;
        HWND found;
    } search = {pid, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param)
        {
            auto* search = reinterpret_cast<CSearch*>(param);
            wchar_t name[32] = L"";
            GetClassNameW(window, name, 32);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid != search->pid || !IsWindowVisible(window) ||
                lstrcmpW(name, L"tooltips_class32") != 0)
                return TRUE;
            search->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// GetWindowTextW does not ask another process's window; WM_GETTEXT does, and a tooltip
// answers it with the text it shows.
std::wstring TipText(HWND tip)
{
    wchar_t text[64] = L"";
    SendMessageW(tip, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
    return text;
}
} // namespace

TEST_F(ToolbarTest, ButtonsShowTheirNamesAsTooltips)
{
    Start();
    const RECT rect = WindowRect(m_toolbar);
    for (const POINT& point : {AddGroupPoint, AddItemPoint})
    {
        const std::wstring expected = point.x == AddGroupPoint.x ? L"Add group" : L"Add item";
        SCOPED_TRACE(Narrow(expected));
        MoveMouse(rect.left + point.x - 2, rect.top + point.y);
        MoveMouse(rect.left + point.x, rect.top + point.y);
        std::wstring seen = L"none";
        ASSERT_TRUE(WaitFor(
            [&]
            {
                const HWND tip = VisibleToolTipOf(m_program.Pid());
                if (tip != nullptr)
                    seen = L"\"" + TipText(tip) + L"\"";
                return tip != nullptr && TipText(tip) == expected;
            }))
            << "tip seen: " << Narrow(seen);
        // Away from the toolbar, so the next button's tip starts afresh.
        MoveMouse(rect.left + 300, rect.top + 200);
        EXPECT_TRUE(WaitFor([&] { return VisibleToolTipOf(m_program.Pid()) == nullptr; }));
    }
}
