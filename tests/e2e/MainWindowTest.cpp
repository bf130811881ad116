// The main window as a user meets it: tabs, pages, tray icon and menu, options,
// the show-window hotkey and the layout of a stored catalogue.

#include <gtest/gtest.h>

#include "tests/support/Harness.h"
#include "tests/support/ProgramTest.h"
#include "tests/support/Registry.h"
#include "tests/support/Screen.h"

#include <shellapi.h>

#include <string>
#include <vector>

using namespace e2e;

namespace
{

HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* title = nullptr)
{
    return FindWindowExW(parent, nullptr, className, title);
}

void AddStoredItem(const std::wstring& category, const std::wstring& item)
{
    HKEY key = nullptr;
    const std::wstring path = ApplicationsKey + L"\\" + category + L"\\" + item;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                             KEY_WRITE, nullptr, &key, nullptr));
    const wchar_t target[] = L"C:\\windows\\notepad.exe";
    RegSetValueExW(key, L"ItemPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(target),
                   sizeof(target));
    RegCloseKey(key);
}

// Where the row just below the top edge of the tab outlines crosses their sides, in screen
// coordinates from the left: two columns per tab.
std::vector<int> OutlineSides(HWND tabs)
{
    const COLORREF outline = RGB(153, 161, 182);
    const RECT strip = WindowRect(tabs);
    std::vector<int> sides;
    for (int x = strip.left; x < strip.right; ++x)
        if (ScreenPixel({x, strip.top + 3}) == outline)
            sides.push_back(x);
    return sides;
}

// Each outline is its text's width in the drawing font plus 6 pixels on either side.
void ExpectOutlinesFitTheTabTexts(HWND tabs)
{
    const std::wstring texts[] = {L"Applications", L"Shortcuts"};
    std::vector<int> sides;
    ASSERT_TRUE(WaitFor(
        [&]
        {
            sides = OutlineSides(tabs);
            return sides.size() >= 4;
        }))
        << "outline sides found: " << sides.size();
    for (size_t tab = 0; tab < 2; ++tab)
    {
        const int width = sides[2 * tab + 1] - sides[2 * tab] + 1;
        EXPECT_EQ(TabTextSize(tabs, texts[tab]).cx + 12, width)
            << "the outline of tab " << tab << " does not fit its text";
    }
}

class MainWindowTest : public CProgramTest
{
protected:
    MainWindowTest() : CProgramTest(EProgramKey::Returning) {}

    void SetUp() override { ASSERT_NO_FATAL_FAILURE(CProgramTest::SetUp()); }

    void TearDown() override
    {
        if (PopupMenuShown())
            PressKey(VK_ESCAPE);
        CProgramTest::TearDown();
        RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                           L"Pathmoor");
    }

    HWND Start()
    {
        EXPECT_TRUE(m_program.Start());
        HWND window = m_program.WaitForMainWindow();
        EXPECT_NE(nullptr, window) << "no main window appeared";
        if (window != nullptr)
        {
            EXPECT_TRUE(WaitFor([&] { return TrayIconExists(window, 1); })) << "no tray icon";
        }
        return window;
    }

    void OpenTrayMenu()
    {
        const POINT icon = TrayIconPoint();
        Click(icon.x, icon.y, false);
        ASSERT_TRUE(WaitFor(PopupMenuShown)) << "the tray menu did not open";
    }
};
} // namespace

TEST_F(MainWindowTest, ClickingTheShortcutsTabSwapsThePages)
{
    HWND window = Start();
    ASSERT_NE(nullptr, window);
    HWND tabs = FindChild(window, L"TabControl");
    HWND applications = FindChild(window, L"Page", L"ApplicationsPage");
    HWND shortcuts = FindChild(window, L"Page", L"ShortcutsPage");
    ASSERT_TRUE(tabs && applications && shortcuts);
    ExpectOutlinesFitTheTabTexts(tabs);
    EXPECT_TRUE(IsWindowVisible(applications));
    EXPECT_FALSE(IsWindowVisible(shortcuts));

    const POINT secondTab = TabPoint(tabs, 1);
    Click(secondTab.x, secondTab.y);
    ASSERT_TRUE(
        WaitFor([&] { return IsWindowVisible(shortcuts) && !IsWindowVisible(applications); }))
        << "the shortcuts page did not take the applications page's place";

    const POINT firstTab = TabPoint(tabs, 0);
    Click(firstTab.x, firstTab.y);
    ASSERT_TRUE(
        WaitFor([&] { return IsWindowVisible(applications) && !IsWindowVisible(shortcuts); }))
        << "the applications page did not come back";
}

TEST_F(MainWindowTest, MinimisingHidesToTheTrayAndATrayClickBringsItBack)
{
    HWND window = Start();
    ASSERT_NE(nullptr, window);
    const RECT rect = WindowRect(window);
    const int minimiseX =
        rect.right - GetSystemMetrics(SM_CXFRAME) - GetSystemMetrics(SM_CXSIZE) * 5 / 2;
    const int captionY = rect.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSIZE) / 2;
    Click(minimiseX, captionY);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }))
        << "minimising did not hide the window";
    Settle(window);

    const POINT icon = TrayIconPoint();
    Click(icon.x, icon.y);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(window) && !IsIconic(window); }))
        << "the tray click did not bring the window back";
    RECT after = {};
    EXPECT_TRUE(WaitFor(
        [&]
        {
            after = WindowRect(window);
            return EqualRect(&rect, &after) != FALSE;
        }))
        << "came back at " << after.left << "," << after.top << "-" << after.right << ","
        << after.bottom << " instead of " << rect.left << "," << rect.top << "-" << rect.right
        << "," << rect.bottom;
}

TEST_F(MainWindowTest, TrayMenuOptionIsStoredAtOnce)
{
    HWND window = Start();
    ASSERT_NE(nullptr, window);
    ShowWindow(window, SW_HIDE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }));

    OpenTrayMenu();
    EXPECT_FALSE(IsWindowVisible(window)) << "the menu showed the hidden window";
    SaveScreenshot(L"tray-menu");
    // &Options, then down to "Hide after launch", the fifth entry.
    PressKey('O');
    for (int i = 0; i < 4; ++i)
        PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([] { return !PopupMenuShown(); }));

    DWORD hide = 0xdead;
    ASSERT_TRUE(WaitFor([&] { return ReadDword(ProgramRoot, L"HideAfterLaunch", hide); }))
        << "the option was not stored";
    EXPECT_EQ(1u, hide);
    EXPECT_FALSE(ValueExists(ProgramRoot, L"ShowApplicationIcons"));
}

TEST_F(MainWindowTest, LaunchOnStartupWritesTheRunValue)
{
    const wchar_t runKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    HWND window = Start();
    ASSERT_NE(nullptr, window);
    OpenTrayMenu();
    PressKey('O');
    PressKey('L');
    ASSERT_TRUE(WaitFor([&] { return ValueExists(runKey, L"Pathmoor"); }))
        << "no Run value after choosing launch on startup";

    OpenTrayMenu();
    PressKey('O');
    PressKey('L');
    EXPECT_TRUE(WaitFor([&] { return !ValueExists(runKey, L"Pathmoor"); }))
        << "the Run value stayed after switching it off";
}

TEST_F(MainWindowTest, ExitFromTheTrayMenuEndsTheProgram)
{
    HWND window = Start();
    ASSERT_NE(nullptr, window);
    OpenTrayMenu();
    PressKey('X');
    ASSERT_TRUE(m_program.WaitForExit()) << "E&xit did not end the program";
    EXPECT_EQ(0u, m_program.ExitCode());
    EXPECT_TRUE(ValueExists(ProgramRoot, L"WindowPos"));
    EXPECT_FALSE(TrayIconExists(window, 1));
}

TEST_F(MainWindowTest, ShowWindowHotKeyBringsTheHiddenWindowBack)
{
    ASSERT_TRUE(WriteDword(std::wstring(ProgramRoot) + L"\\KeyShortcuts\\Show", L"Modifiers",
                           MOD_CONTROL | MOD_ALT));
    ASSERT_TRUE(WriteDword(std::wstring(ProgramRoot) + L"\\KeyShortcuts\\Show", L"Key", 'P'));
    HWND window = Start();
    ASSERT_NE(nullptr, window);
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }));

    KeyDown(VK_CONTROL);
    KeyDown(VK_MENU);
    PressKey('P');
    KeyUp(VK_MENU);
    KeyUp(VK_CONTROL);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) && !IsIconic(window); }))
        << "the hotkey did not bring the window back";
}

TEST_F(MainWindowTest, WindowCannotBeDraggedSmallerThan600By400)
{
    HWND window = Start();
    ASSERT_NE(nullptr, window);
    const RECT rect = WindowRect(window);
    ASSERT_TRUE(
        DragFrame(window, {rect.right - 2, rect.bottom - 2}, {rect.left + 50, rect.top + 50}));
    ASSERT_TRUE(WaitFor(
        [&]
        {
            const RECT now = WindowRect(window);
            return now.right - now.left == 600 && now.bottom - now.top == 400;
        }))
        << "size after the drag: " << WindowRect(window).right - WindowRect(window).left << "x"
        << WindowRect(window).bottom - WindowRect(window).top;
}

TEST_F(MainWindowTest, StoredCategoriesAreLaidOutInColumnsAndReflowOnResize)
{
    AddStoredItem(L"b", L"one");
    AddStoredItem(L"A", L"two");
    AddStoredItem(L"A", L"three");
    AddStoredItem(L"c", L"four");
    AddStoredItem(L"d", L"five");
    const RECT wide = {0, 0, 1000, 600};
    ASSERT_TRUE(WriteBinary(ProgramRoot, L"WindowPos", &wide, sizeof(wide)));
    HWND window = Start();
    ASSERT_NE(nullptr, window);
    HWND page = FindChild(window, L"Page", L"ApplicationsPage");
    ASSERT_NE(nullptr, page);
    // Four headers and five entries, all "ListItem" windows.
    ASSERT_TRUE(WaitFor([&] { return VisibleChildren(page, L"ListItem").size() == 9; }))
        << VisibleChildren(page, L"ListItem").size() << " rows shown";

    auto has = [&](int x, int y)
    {
        for (HWND row : VisibleChildren(page, L"ListItem"))
        {
            RECT rect = WindowRect(row);
            MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
            if (rect.left == x && rect.top == y && rect.right - rect.left == 140 &&
                rect.bottom - rect.top == 22)
                return true;
        }
        return false;
    };
    // A, b, c, d side by side every 150 pixels, in lower-case order; A's entries under it.
    for (int column = 0; column < 4; ++column)
        EXPECT_TRUE(has(column * 150, 0)) << "no row at x " << column * 150;
    EXPECT_TRUE(has(0, 22));
    EXPECT_TRUE(has(0, 44)) << "A's second entry is not under its first";
    EXPECT_FALSE(has(0, 88));

    // At 600 pixels the page holds three columns: d moves to a second row, 22 below
    // the longest column (A: header and two entries).
    SetWindowPos(window, nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(WaitFor([&] { return has(0, 88) && has(0, 110); }))
        << "the fourth category did not wrap to the next row";
    EXPECT_FALSE(has(450, 0));
    SaveScreenshot(L"layout");
}

TEST_F(MainWindowTest, TaskbarRestartBringsTheTrayIconBack)
{
    HWND window = Start();
    ASSERT_NE(nullptr, window);
    NOTIFYICONDATAW data = {};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data)) << "could not remove the icon";
    ASSERT_FALSE(TrayIconExists(window, 1));

    // What the shell broadcasts when its taskbar has been created anew.
    PostMessageW(window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitFor([&] { return TrayIconExists(window, 1); }))
        << "the tray icon was not added again";
}

TEST_F(MainWindowTest, RightClickOnAnEmptyPageOffersAddCategory)
{
    HWND window = Start();
    ASSERT_NE(nullptr, window);
    HWND page = FindChild(window, L"Page", L"ApplicationsPage");
    ASSERT_NE(nullptr, page);
    const RECT rect = WindowRect(page);
    Click(rect.left + 200, rect.top + 150, false);
    ASSERT_TRUE(WaitFor(PopupMenuShown)) << "no menu on the page";
    SaveScreenshot(L"page-menu");
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([] { return !PopupMenuShown(); }));
}
