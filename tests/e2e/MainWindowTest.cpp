// The main window as a user meets it: tabs, pages, tray icon and menu, options,
// the show-window hotkey and the layout of a stored catalogue.

#include <gtest/gtest.h>

#include "tests/support/CrossProcessInput.h"
#include "tests/support/Harness.h"
#include "tests/support/ProgramTest.h"
#include "tests/support/Registry.h"
#include "tests/support/Screen.h"

#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

using namespace e2e;
using namespace test_support;

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
        if (ScreenPixel({x, strip.top + ScaleToSystemDpi(2) + 1}) == outline)
            sides.push_back(x);
    return sides;
}

// Each outline is its text's width in the drawing font plus 6 pixels on either side (at
// 96 DPI).
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
        EXPECT_EQ(TabTextSize(tabs, texts[tab]).cx + ScaleToSystemDpi(12), width)
            << "the outline of tab " << tab << " does not fit its text";
    }
}

// Sends WM_NULL to the window one message after the other and keeps the longest wait for
// an answer, until stopped.
class CAnswerWatch
{
public:
    explicit CAnswerWatch(HWND window) : m_thread([this, window] { Run(window); }) {}
    ~CAnswerWatch() { Stop(); }

    DWORD Stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        return m_longest;
    }

private:
    void Run(HWND window)
    {
        while (!m_stop)
        {
            const ULONGLONG start = GetTickCount64();
            DWORD_PTR result = 0;
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
            m_longest = std::max(m_longest, static_cast<DWORD>(GetTickCount64() - start));
        }
    }

    std::atomic<bool> m_stop{false};
    DWORD m_longest = 0;
    std::thread m_thread;
};

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

    // Starts with the window at the stored place; window and page once the applications
    // page shows that many rows and headers.
    void StartShowingRows(const RECT& place, size_t rows, HWND& window, HWND& page)
    {
        ASSERT_TRUE(WriteBinary(ProgramRoot, L"WindowPos", &place, sizeof(place)));
        window = Start();
        ASSERT_NE(nullptr, window);
        page = FindChild(window, L"Page", L"ApplicationsPage");
        ASSERT_NE(nullptr, page);
        ASSERT_TRUE(WaitFor([&] { return VisibleChildren(page, L"ListItem").size() == rows; }))
            << VisibleChildren(page, L"ListItem").size() << " rows shown";
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

    HoldKey(VK_CONTROL);
    HoldKey(VK_MENU);
    PressKey('P');
    ReleaseKey(VK_MENU);
    ReleaseKey(VK_CONTROL);
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
    HWND window = nullptr;
    HWND page = nullptr;
    // Four headers and five entries, all "ListItem" windows.
    ASSERT_NO_FATAL_FAILURE(StartShowingRows(RECT{0, 0, 1000, 600}, 9, window, page));

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

// Every measure is that of 96 DPI scaled to the system's DPI. The suite runs this at 96;
// tests/e2e/at-dpi.sh runs it again in a prefix of 120, 144 and 192 DPI and names the
// DPI it set, so a run that did not take the setting cannot pass.
TEST_F(MainWindowTest, EveryMeasureFollowsTheSystemDpi)
{
    const int dpi = SystemDpi();
    char expected[16] = {};
    if (GetEnvironmentVariableA("PATHMOOR_EXPECT_DPI", expected, sizeof(expected)) > 0)
    {
        ASSERT_EQ(atoi(expected), dpi) << "the prefix does not draw at the DPI it was given";
    }
    const auto px = [](int design) { return ScaleToSystemDpi(design); };
    AddStoredItem(L"A", L"one");
    AddStoredItem(L"A", L"two");
    AddStoredItem(L"b", L"three");
    ASSERT_TRUE(CreateKey(FoldersKey + L"\\Places"));
    HWND window = nullptr;
    HWND page = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartShowingRows(RECT{0, 0, px(700), px(450)}, 5, window, page));

    const auto inWindow = [window](HWND child)
    {
        RECT rect = WindowRect(child);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    };
    const auto expectRect = [](const RECT& rect, const RECT& wanted, const char* what)
    {
        EXPECT_TRUE(EqualRect(&rect, &wanted))
            << what << ": " << rect.left << "," << rect.top << " " << rect.right << ","
            << rect.bottom << " wanted " << wanted.left << "," << wanted.top << " " << wanted.right
            << "," << wanted.bottom;
    };
    // Rows: columns every 150, rows of 140 by 22; A's entries under its header.
    const std::vector<HWND> rows = ListWindowsInOrder(page);
    ASSERT_EQ(5u, rows.size());
    const POINT places[] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}}; // column, row
    const RECT pageRect = inWindow(page);
    for (size_t i = 0; i < rows.size(); ++i)
    {
        RECT row = inWindow(rows[i]);
        OffsetRect(&row, -pageRect.left, -pageRect.top);
        const int x = places[i].x * px(150);
        const int y = places[i].y * px(22);
        expectRect(row, RECT{x, y, x + px(140), y + px(22)}, "row");
    }

    // The toolbar, its two buttons and the search box; the strip; the page and the pane.
    RECT client = {};
    GetClientRect(window, &client);
    HWND toolbar = FindChild(window, L"ShortcutsToolBar");
    ASSERT_NE(nullptr, toolbar);
    expectRect(inWindow(toolbar), RECT{0, 0, client.right, px(22)}, "toolbar");
    HWND button = FindChild(toolbar, L"Button");
    for (int i = 0; i < 2 && button;
         ++i, button = FindWindowExW(toolbar, button, L"Button", nullptr))
        expectRect(inWindow(button), RECT{px(26) * i, 0, px(26) * (i + 1), px(20)}, "button");
    HWND search = FindChild(toolbar, L"Edit");
    ASSERT_NE(nullptr, search);
    const int searchLeft = 2 * px(26) + px(5);
    expectRect(inWindow(search), RECT{searchLeft, px(2), searchLeft + px(160), px(2) + px(18)},
               "search box");
    HWND tabs = FindChild(window, L"TabControl");
    ASSERT_NE(nullptr, tabs);
    expectRect(inWindow(tabs), RECT{0, px(22), client.right, px(48)}, "tab strip");
    ExpectOutlinesFitTheTabTexts(tabs);
    expectRect(pageRect, RECT{0, px(49), client.right - px(140), client.bottom}, "page");
    HWND pane = FindChild(window, L"FoldersPane");
    ASSERT_NE(nullptr, pane);
    expectRect(inWindow(pane), RECT{client.right - px(140), px(49), client.right, client.bottom},
               "folders pane");

    // The ball is drawn at its scaled size: across its middle line, as many pixels differ
    // from the row's background as the ball is wide (its rim is smoothed, so one less
    // on either side may blend in).
    const RECT entry = WindowRect(rows[1]);
    const int middle = entry.top + px(4) + px(10) / 2;
    const COLORREF background = ScreenPixel({entry.left + px(2), middle});
    int ballWidth = 0;
    for (int x = entry.left; x < entry.left + px(22); ++x)
        ballWidth += ScreenPixel({x, middle}) != background ? 1 : 0;
    EXPECT_GE(ballWidth, px(10) - 2) << "at " << dpi << " DPI";
    EXPECT_LE(ballWidth, px(10)) << "at " << dpi << " DPI";
    SaveScreenshot(L"dpi-" + std::to_wstring(dpi));
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

// Deleting a category of 50 among 5000 entries: the window keeps answering while the rows
// go, the others move into their places, and the store loses that category's key. Under
// Wine it answers within some 20 ms; moving every row at once keeps it from answering for
// 0.7 s, and writing the whole store on its thread for seconds.
TEST_F(MainWindowTest, DeletingACategoryAmongThousandsOfEntriesKeepsTheWindowAnswering)
{
    constexpr int categories = 100;
    constexpr int perCategory = 50;
    constexpr DWORD allowedMs = 100;
    for (int category = 0; category < categories; ++category)
        for (int entry = 0; entry < perCategory; ++entry)
            ASSERT_NO_FATAL_FAILURE(AddStoredItem(L"Category " + std::to_wstring(100 + category),
                                                  L"Entry " + std::to_wstring(entry)));
    HWND window = nullptr;
    HWND page = nullptr;
    ASSERT_NO_FATAL_FAILURE(
        StartShowingRows(RECT{0, 0, 1000, 600}, categories * (perCategory + 1), window, page));
    // The first category's header, and after the delete the second's.
    const auto corner = [page]
    {
        const HWND row = ChildWindowFromPointEx(page, POINT{5, 5}, CWP_SKIPINVISIBLE);
        return row != nullptr && row != page ? WindowTitle(row) : std::wstring();
    };
    ASSERT_EQ(L"Category 100", corner());
    const HWND first = ChildWindowFromPointEx(page, POINT{5, 5}, CWP_SKIPINVISIBLE);

    const RECT header = WindowRect(first);
    Click(header.left + 70, header.top + 11, false);
    ASSERT_TRUE(WaitFor(PopupMenuShown)) << "no menu on the header";
    PressKey('D');
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor(
        [&]
        {
            box = FindTopLevel({m_program.Pid(), DialogClass, nullptr,
                                L"Delete the category with all included items?"});
            return box != nullptr && GetForegroundWindow() == box;
        }))
        << "no question";
    Settle(window);

    CAnswerWatch watch(window);
    PressKey(VK_RETURN);
    const bool gone = WaitFor([] { return !KeyExists(ApplicationsKey + L"\\Category 100"); });
    const bool moved = WaitFor([&] { return corner() == L"Category 101"; });
    const DWORD longest = watch.Stop();
    EXPECT_TRUE(gone) << "the category's key is still stored";
    EXPECT_TRUE(moved) << "the next category did not move into the corner";
    EXPECT_EQ(static_cast<size_t>((categories - 1) * (perCategory + 1)),
              VisibleChildren(page, L"ListItem").size());
    EXPECT_LT(longest, allowedMs) << "the window did not answer for " << longest << " ms";
}
