// The toolbar as a user meets it: "Add group" and "Add item" act on the page shown, the
// search box highlights what is typed in entry names, and the About box opens from the
// tray menu and closes with Esc.

#include <gtest/gtest.h>

#include "tests/support/Files.h"
#include "tests/support/Harness.h"
#include "tests/support/ProgramTest.h"
#include "tests/support/CrossProcessInput.h"
#include "tests/support/Registry.h"
#include "tests/support/Screen.h"

#include <string>
#include <vector>

using namespace e2e;
using namespace test_support;

namespace
{
const std::wstring SearchEntryKey =
    std::wstring(ProgramRoot) + L"\\Applications\\Category\\Toolbar apps\\ZEBQuill";

int CountVisibleRows(HWND page)
{
    return static_cast<int>(VisibleChildren(page, L"ListItem").size());
}

// Yellow pixels on the screen inside the rows of the page.
int CountYellowInRows(HWND page)
{
    return CountColourIn(VisibleChildren(page, L"ListItem"), Yellow);
}

class ToolbarTest : public CProgramTest
{
protected:
    ToolbarTest() : CProgramTest(EProgramKey::Returning) {}

    void SetUp() override { ASSERT_NO_FATAL_FAILURE(CProgramTest::SetUp()); }

    void TearDown() override
    {
        if (PopupMenuShown())
            PressKey(VK_ESCAPE);
        CProgramTest::TearDown();
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
        const POINT tab = TabPoint(tabs, 1);
        // The closing dialog hands the activation back first; a click before that is lost.
        Settle(m_window);
        Click(tab.x, tab.y);
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(shortcuts) != FALSE; }))
            << "the shortcuts page did not show";
    }

    // "Add group" with a typed name and Enter: one more row on the page, and the category
    // in the registry once the program has ended.
    void AddGroupOn(const wchar_t* pageTitle, const std::wstring& name, const wchar_t* listKey)
    {
        SCOPED_TRACE(Utf8(pageTitle));
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
        EXPECT_TRUE(KeyExists(key)) << "missing key " << Utf8(key);
    EXPECT_FALSE(KeyExists(std::wstring(ProgramRoot) + L"\\Shortcuts\\Category\\toolgroupa"));
    EXPECT_FALSE(KeyExists(std::wstring(ProgramRoot) + L"\\Applications\\Category\\toolgroups"));
}

TEST_F(ToolbarTest, AddItemOpensTheApplicationEditor)
{
    Start();
    ClickToolbar(AddItemPoint);
    const HWND dialog = WaitForDialog();
    ASSERT_NE(nullptr, dialog) << "no item editor";
    EXPECT_EQ(L"Add application", WindowTitle(dialog));
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
    const POINT icon = TrayIconPoint();
    Click(icon.x, icon.y, false);
    ASSERT_TRUE(WaitFor(PopupMenuShown)) << "the tray menu did not open";
    PressKey('A');
    const HWND about = WaitForDialog();
    ASSERT_NE(nullptr, about) << "no About box";
    EXPECT_EQ(L"About", WindowTitle(about));
    SaveScreenshot(L"about-box");
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); })) << "Esc did not close the About box";
}

namespace
{

} // namespace

TEST_F(ToolbarTest, ButtonsShowTheirNamesAsTooltips)
{
    Start();
    const RECT rect = WindowRect(m_toolbar);
    for (const POINT& point : {AddGroupPoint, AddItemPoint})
    {
        const std::wstring expected = point.x == AddGroupPoint.x ? L"Add group" : L"Add item";
        SCOPED_TRACE(Utf8(expected));
        MoveMouse(rect.left + point.x - 2, rect.top + point.y);
        MoveMouse(rect.left + point.x, rect.top + point.y);
        std::wstring seen;
        ASSERT_TRUE(WaitForTip(m_program.Pid(), expected, seen)) << "tip seen: " << Utf8(seen);
        // Away from the toolbar, so the next button's tip starts afresh.
        MoveMouse(rect.left + 300, rect.top + 200);
        EXPECT_TRUE(WaitForNoTip(m_program.Pid()));
    }
}
