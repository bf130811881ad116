// The window from the keyboard: the show-window hotkey puts the focus in the search box
// with its text selected, Enter and the arrow keys start the highlighted entries,
// Ctrl+Shift+Enter runs one as administrator, Ctrl+Shift+E shows an entry's file in its folder,
// Ctrl+Tab switches the page, and Escape clears the search and then sends the window to the tray.
// Every row carries its name as its window text, which is how another process reads the catalogue,
// and a catalogue taller than the page scrolls to its last entry by the wheel and by a search.

#include <gtest/gtest.h>

#include "tests/support/Files.h"
#include "tests/support/Harness.h"
#include "tests/support/ProgramTest.h"
#include "tests/support/CrossProcessInput.h"
#include "tests/support/Registry.h"
#include "tests/support/Screen.h"

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

using namespace e2e;
using namespace test_support;

namespace
{
constexpr WORD ShowWindowKey = 'J'; // with Ctrl+Alt

std::vector<std::wstring> WindowTitles(const std::vector<HWND>& windows)
{
    std::vector<std::wstring> texts;
    for (HWND window : windows)
        texts.push_back(WindowTitle(window));
    return texts;
}

std::string Joined(const std::vector<std::wstring>& texts)
{
    std::string joined;
    for (const std::wstring& text : texts)
        joined += "[" + Utf8(text) + "]";
    return joined;
}

// The row or header of a page with that window text, shown or not.
HWND FindListWindow(HWND page, const std::wstring& name)
{
    for (HWND child = FindWindowExW(page, nullptr, L"ListItem", nullptr); child != nullptr;
         child = FindWindowExW(page, child, L"ListItem", nullptr))
        if (WindowTitle(child) == name)
            return child;
    return nullptr;
}

// The row lies wholly inside the page's client area, where it can be seen and clicked.
bool IsInsidePage(HWND row, HWND page)
{
    RECT client = {};
    GetClientRect(page, &client);
    MapWindowPoints(page, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const RECT rect = WindowRect(row);
    return IsWindowVisible(row) && rect.top >= client.top && rect.bottom <= client.bottom;
}

bool HasScrollBar(HWND page)
{
    return (GetWindowLongPtrW(page, GWL_STYLE) & WS_VSCROLL) != 0;
}

std::set<HWND> VisibleTopLevelWindows()
{
    std::set<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM found)
        {
            if (IsWindowVisible(window))
                reinterpret_cast<std::set<HWND>*>(found)->insert(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

class KeyboardTest : public CProgramTest
{
protected:
    KeyboardTest() : CProgramTest(EProgramKey::Returning) {}

    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(CProgramTest::SetUp());
        m_record = PrepareLaunchRecord(L"pathmoor-keyboard-record.txt");
        ASSERT_TRUE(WriteDword(ShowKey, L"Modifiers", MOD_CONTROL | MOD_ALT));
        ASSERT_TRUE(WriteDword(ShowKey, L"Key", ShowWindowKey));
    }

    void TearDown() override
    {
        HWND recorder = nullptr;
        while ((recorder = FindWindowExW(nullptr, recorder, nullptr, L"Launch recorder")))
            PostMessageW(recorder, WM_CLOSE, 0, 0);
        for (HWND window : m_shellWindows)
            PostMessageW(window, WM_CLOSE, 0, 0);
        CProgramTest::TearDown();
        DeleteFileW(m_record.c_str());
    }

    void Start()
    {
        ASSERT_TRUE(m_program.Start());
        m_window = m_program.WaitForMainWindow();
        ASSERT_NE(nullptr, m_window) << "no main window appeared";
        m_page = FindWindowExW(m_window, nullptr, L"Page", L"ApplicationsPage");
        HWND toolbar = FindWindowExW(m_window, nullptr, L"ShortcutsToolBar", nullptr);
        m_searchBox = FindWindowExW(toolbar, nullptr, L"Edit", nullptr);
        ASSERT_TRUE(m_page && m_searchBox);
    }

    // The show-window hotkey brings the window forward with the focus in the search box.
    void PressShowWindowHotKey(int line)
    {
        PressChord({VK_CONTROL, VK_MENU}, ShowWindowKey);
        ExpectShownWithSearchFocus(line);
    }

    void ExpectShownWithSearchFocus(int line)
    {
        SCOPED_TRACE(testing::Message() << "brought back at line " << line);
        EXPECT_TRUE(WaitFor(
            [&]
            {
                return IsWindowVisible(m_window) && GetForegroundWindow() == m_window &&
                       FocusOf(m_window) == m_searchBox;
            }))
            << "visible " << IsWindowVisible(m_window) << ", foreground " << GetForegroundWindow()
            << " (main " << m_window << "), focus " << FocusOf(m_window) << " (search box "
            << m_searchBox << ")";
    }

    // Turns the wheel a notch at a time until reached holds, each time until the page has
    // moved: the layout places the reference window last, so once it has moved the rows are
    // all in place. False when the page stops first.
    bool TurnWheelUntil(int delta, HWND reference, const std::function<bool()>& reached)
    {
        for (int notch = 0; notch < 500 && !reached(); ++notch)
        {
            const LONG before = WindowRect(reference).top;
            Wheel(delta);
            if (!WaitFor([&] { return WindowRect(reference).top != before; }, 2000))
                return false;
        }
        return reached();
    }

    // The recorder's command line once it holds the text, or what it held last.
    std::wstring WaitForLaunchWith(const std::wstring& text)
    {
        std::vector<std::wstring> record;
        WaitFor(
            [&]
            {
                record = ReadRecord(m_record);
                return record.size() == 3 && record[0].find(text) != std::wstring::npos;
            });
        return record.empty() ? L"<nothing recorded>" : record[0];
    }

    std::wstring m_record;
    HWND m_window = nullptr;
    HWND m_page = nullptr;
    HWND m_searchBox = nullptr;
    std::set<HWND> m_shellWindows;
};
} // namespace

TEST_F(KeyboardTest, SearchBoxKeysLaunchShowSwitchAndHide)
{
    const std::wstring recorder = ExecutableDirectory() + L"launch_recorder.exe";
    ASSERT_TRUE(WriteString(ApplicationsKey + L"\\Tools\\Recorder one", L"ItemPath", recorder));
    ASSERT_TRUE(
        WriteString(ApplicationsKey + L"\\Tools\\Recorder one", L"Arguments", L"first \"x y\""));
    ASSERT_TRUE(WriteString(ApplicationsKey + L"\\Tools\\Recorder two", L"ItemPath", recorder));
    ASSERT_TRUE(WriteString(ApplicationsKey + L"\\Tools\\Recorder two", L"Arguments", L"second"));
    ASSERT_TRUE(WriteString(ApplicationsKey + L"\\Tools\\Notepad", L"ItemPath",
                            L"C:\\windows\\notepad.exe"));
    Start();
    ASSERT_TRUE(WaitFor([&] { return ListWindowsInOrder(m_page).size() == 4; }));

    // Names as another process reads them, header first; a catalogue that fits has no bar.
    const std::vector<std::wstring> expected = {L"Tools", L"Notepad", L"Recorder one",
                                                L"Recorder two"};
    EXPECT_EQ(expected, WindowTitles(ListWindowsInOrder(m_page)))
        << Joined(WindowTitles(ListWindowsInOrder(m_page)));
    EXPECT_FALSE(HasScrollBar(m_page));

    PressShowWindowHotKey(__LINE__);
    TypeLetters(L"recorder");
    PressKey(VK_RETURN);
    const std::wstring first = WaitForLaunchWith(L"first \"x y\"");
    EXPECT_NE(std::wstring::npos, first.find(L"first \"x y\"")) << Utf8(first);

    // Back over the started program, the text is selected: typing replaces it.
    PressShowWindowHotKey(__LINE__);
    TypeLetters(L"recorder");
    EXPECT_TRUE(WaitFor([&] { return ControlText(m_searchBox) == L"recorder"; }))
        << "the search box holds " << Utf8(ControlText(m_searchBox));
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    // The current match takes the selection colours, the other match keeps the yellow.
    HWND one = FindListWindow(m_page, L"Recorder one");
    HWND two = FindListWindow(m_page, L"Recorder two");
    const COLORREF selection = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_TRUE(WaitFor(
        [&]
        {
            return CountColourIn({two}, selection) > 0 && CountColourIn({two}, Yellow) == 0 &&
                   CountColourIn({one}, Yellow) > 0 && CountColourIn({one}, selection) == 0;
        }))
        << "current match: " << CountColourIn({two}, selection) << " selection and "
        << CountColourIn({two}, Yellow)
        << " yellow pixels; other match: " << CountColourIn({one}, selection) << " and "
        << CountColourIn({one}, Yellow);
    SaveScreenshot(L"keyboard-current-match");
    PressKey(VK_RETURN);
    const std::wstring second = WaitForLaunchWith(L"second");
    EXPECT_NE(std::wstring::npos, second.find(L"second")) << Utf8(second);

    // Ctrl+Shift+Enter asks the shell to run the current match, still the second, as
    // administrator; Wine has no elevation prompt and starts it at once.
    PressShowWindowHotKey(__LINE__);
    ASSERT_TRUE(DeleteFileW(m_record.c_str()));
    PressChord({VK_CONTROL, VK_SHIFT}, VK_RETURN);
    const std::wstring elevated = WaitForLaunchWith(L"second");
    EXPECT_NE(std::wstring::npos, elevated.find(L"second")) << Utf8(elevated);

    // The current match is still the second: the folder of its file opens in the shell's
    // file window, titled with the folder's name.
    PressShowWindowHotKey(__LINE__);
    const std::set<HWND> before = VisibleTopLevelWindows();
    PressChord({VK_CONTROL, VK_SHIFT}, 'E');
    std::wstring folder = recorder.substr(0, recorder.find_last_of(L'\\'));
    folder = folder.substr(folder.find_last_of(L'\\') + 1);
    std::vector<std::wstring> opened;
    EXPECT_TRUE(WaitFor(
        [&]
        {
            for (HWND window : VisibleTopLevelWindows())
                if (before.count(window) == 0 && m_shellWindows.insert(window).second)
                    opened.push_back(WindowTitle(window));
            return std::find(opened.begin(), opened.end(), folder) != opened.end();
        }))
        << "expected a window " << Utf8(folder) << ", new windows: " << Joined(opened);
    SaveScreenshot(L"keyboard-show-in-folder");

    PressShowWindowHotKey(__LINE__);
    HWND shortcuts = FindWindowExW(m_window, nullptr, L"Page", L"ShortcutsPage");
    PressChord({VK_CONTROL}, VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(shortcuts) && !IsWindowVisible(m_page); }))
        << "Ctrl+Tab did not show the shortcuts page";
    PressChord({VK_CONTROL, VK_SHIFT}, VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(m_page) && !IsWindowVisible(shortcuts); }))
        << "Ctrl+Shift+Tab did not bring the applications page back";

    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return ControlText(m_searchBox).empty(); }))
        << "Escape left " << Utf8(ControlText(m_searchBox));
    EXPECT_TRUE(IsWindowVisible(m_window)) << "the first Escape hid the window";
    // With nothing highlighted Enter only beeps.
    const std::vector<std::wstring> recorded = ReadRecord(m_record);
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(m_window); }))
        << "Escape on an empty search did not hide the window";
    EXPECT_TRUE(TrayIconExists(m_window, 1));

    // A second start brings the first instance back, and so does the tray icon.
    CProgram secondStart;
    ASSERT_TRUE(secondStart.Start());
    EXPECT_TRUE(secondStart.WaitForExit());
    ExpectShownWithSearchFocus(__LINE__);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(m_window); }));
    const POINT icon = TrayIconPoint();
    Click(icon.x, icon.y);
    ExpectShownWithSearchFocus(__LINE__);
    EXPECT_EQ(recorded, ReadRecord(m_record)) << "Enter on an empty search launched something";
    EXPECT_EQ(3, CountWindowsOfClass(L"LaunchRecorderWindow")) << "three launches, three recorders";
}

TEST_F(KeyboardTest, TallCatalogueScrollsToItsLastEntryByWheelAndSearch)
{
    for (int i = 0; i < 800; ++i)
    {
        wchar_t entry[64] = L"";
        swprintf(entry, 64, L"\\Group %02d\\Entry %03d", i / 20, i);
        ASSERT_TRUE(WriteString(ApplicationsKey + entry, L"ItemPath", L"C:\\windows\\notepad.exe"));
    }
    Start();
    HWND last = nullptr;
    HWND top = nullptr;
    ASSERT_TRUE(WaitFor(
        [&]
        {
            last = FindListWindow(m_page, L"Entry 799");
            top = FindListWindow(m_page, L"Group 00");
            return last && top && IsWindowVisible(last);
        }))
        << "the rows were not all made";
    ASSERT_TRUE(WaitFor([&] { return HasScrollBar(m_page); })) << "no scroll bar";
    EXPECT_FALSE(IsInsidePage(last, m_page)) << "the last entry fits without scrolling";

    const POINT centre = CentreOf(m_page);
    MoveMouse(centre.x, centre.y);
    EXPECT_TRUE(TurnWheelUntil(-WHEEL_DELTA, last, [&] { return IsInsidePage(last, m_page); }))
        << "the wheel did not reach the last entry: it spans " << WindowRect(last).top << " to "
        << WindowRect(last).bottom << ", visible " << IsWindowVisible(last) << ", the page "
        << WindowRect(m_page).top << " to " << WindowRect(m_page).bottom;
    EXPECT_FALSE(IsInsidePage(top, m_page));
    SaveScreenshot(L"keyboard-scrolled-to-the-end");

    // On the scrolled page a row is dragged onto the header of another category.
    HWND header = FindListWindow(m_page, L"Group 38");
    HWND dragged = FindListWindow(m_page, L"Entry 780");
    ASSERT_TRUE(header && dragged);
    ASSERT_TRUE(TurnWheelUntil(WHEEL_DELTA, last, [&] { return IsInsidePage(header, m_page); }));
    ASSERT_TRUE(IsInsidePage(dragged, m_page));
    Drag(CentreOf(dragged), CentreOf(header));
    EXPECT_TRUE(WaitFor(
        [&]
        {
            const HWND moved = FindListWindow(m_page, L"Entry 780");
            return !IsWindow(dragged) && moved && WindowRect(moved).left == WindowRect(header).left;
        }))
        << "the drop on the scrolled page did not move the entry";
    EXPECT_TRUE(WaitFor([] { return KeyExists(ApplicationsKey + L"\\Group 38\\Entry 780"); }))
        << "the move was not stored";

    MoveMouse(centre.x, centre.y);
    ASSERT_TRUE(TurnWheelUntil(WHEEL_DELTA, last, [&] { return IsInsidePage(top, m_page); }))
        << "the wheel did not come back to the top";
    EXPECT_EQ(WindowRect(m_page).top, WindowRect(top).top) << "the top is not where it started";

    PressShowWindowHotKey(__LINE__);
    TypeLetters(L"Entry 799");
    PressKey(VK_DOWN);
    EXPECT_TRUE(WaitFor([&] { return IsInsidePage(last, m_page); }))
        << "the current match was not scrolled into view";
}
