// Shortcut rows as a user meets them: "&Copy" hands the file to other programs through the
// clipboard, a click opens the file and leaves the window where it is, and the category's
// "&Launch all" sends the window to the tray when "Hide after launch" is on.

#include <gtest/gtest.h>

#include "tests/support/Files.h"
#include "tests/support/CrossProcessInput.h"
#include "tests/support/Harness.h"
#include "tests/support/ProgramTest.h"
#include "tests/support/Registry.h"
#include "tests/support/Screen.h"

#include <string>
#include <vector>

using namespace e2e;
using namespace test_support;

namespace
{
// "!" sorts before every letter and digit, so this category is the first column of the
// shortcuts page whatever other categories the program starts with.
const std::wstring CategoryKey = ShortcutsKey + L"\\!e2e";

class ShortcutRowTest : public CProgramTest
{
protected:
    ShortcutRowTest() : CProgramTest(EProgramKey::Deleted) {}

    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(CProgramTest::SetUp());
        m_record = PrepareLaunchRecord(L"pathmoor-shortcut-record.txt");
        m_readerOutput = TempFolder() + L"pathmoor-clipboard-reader.txt";
    }

    void TearDown() override
    {
        if (PopupMenuShown())
            PressKey(VK_ESCAPE);
        if (m_launched != nullptr)
        {
            TerminateProcess(m_launched, 255);
            CloseHandle(m_launched);
        }
        CProgramTest::TearDown();
        DeleteFileW(m_record.c_str());
        DeleteFileW(m_readerOutput.c_str());
    }

    // Starts the program and brings the shortcuts page up with a click on its tab.
    HWND StartOnShortcutsPage()
    {
        EXPECT_TRUE(m_program.Start());
        HWND window = m_program.WaitForMainWindow();
        EXPECT_NE(nullptr, window) << "no main window appeared";
        if (window == nullptr)
            return nullptr;
        m_page = FindWindowExW(window, nullptr, L"Page", L"ShortcutsPage");
        HWND tabs = FindWindowExW(window, nullptr, L"TabControl", nullptr);
        EXPECT_TRUE(m_page && tabs);
        if (!m_page || !tabs)
            return nullptr;
        const POINT tab = TabPoint(tabs, 1);
        Click(tab.x, tab.y);
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(m_page) != FALSE; }))
            << "the shortcuts page did not come up";
        return window;
    }

    // The list window of the first column: the header for index 0, then the rows.
    HWND ListWindowAt(int index) const
    {
        const POINT point = {1, index * RowHeight + 1};
        HWND child = ChildWindowFromPointEx(m_page, point, CWP_SKIPINVISIBLE);
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        return child != m_page && lstrcmpW(className, L"ListItem") == 0 ? child : nullptr;
    }

    HWND WaitForListWindow(int index) const
    {
        HWND found = nullptr;
        WaitFor([&] { return (found = ListWindowAt(index)) != nullptr; });
        return found;
    }

    // Right-clicks the list window and chooses the menu item by its underlined letter.
    void ChooseFromMenu(HWND listWindow, WORD letter)
    {
        const RECT rect = WindowRect(listWindow);
        Click(rect.left + 60, rect.top + 11, false);
        ASSERT_TRUE(WaitFor(PopupMenuShown)) << "the context menu did not open";
        PressKey(letter);
        ASSERT_TRUE(WaitFor([] { return !PopupMenuShown(); })) << "the menu stayed open";
    }

    // Waits for the recorder's record and keeps the started process for the clean-up.
    std::vector<std::wstring> WaitForLaunch()
    {
        std::vector<std::wstring> record;
        if (!WaitFor([&] { return (record = ReadRecord(m_record)).size() == 3; }))
            return record;
        m_launched = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, std::stoul(record[2]));
        return record;
    }

    std::wstring RecorderPath() const { return ExecutableDirectory() + L"launch_recorder.exe"; }

    HWND m_page = nullptr;
    std::wstring m_record;
    std::wstring m_readerOutput;
    HANDLE m_launched = nullptr;
};
} // namespace

TEST_F(ShortcutRowTest, CopyHandsTheWholeLongPathToAnotherProgram)
{
    const std::wstring path = L"C:\\" + std::wstring(150, L'a') + L"\\" + std::wstring(150, L'b') +
                              L"\\report \u00e4.pdf";
    ASSERT_GT(path.size(), static_cast<size_t>(MAX_PATH));
    ASSERT_TRUE(WriteString(CategoryKey + L"\\Report", L"ItemPath", path));
    HWND window = StartOnShortcutsPage();
    ASSERT_NE(nullptr, window);
    HWND row = WaitForListWindow(1);
    ASSERT_NE(nullptr, row) << "no row under the category";

    ChooseFromMenu(row, 'C');
    EXPECT_EQ(Utf8(path) + "\n", RunClipboardReader(L"win32", m_readerOutput));
    EXPECT_EQ(Utf8(path) + "\n", RunClipboardReader(L"ole", m_readerOutput));
}

TEST_F(ShortcutRowTest, ClickOpensTheFileAndLeavesTheWindowInPlace)
{
    const std::wstring startIn = TempFolder();
    const std::wstring entry = CategoryKey + L"\\Recorder";
    ASSERT_TRUE(WriteString(entry, L"ItemPath", RecorderPath()));
    ASSERT_TRUE(WriteString(entry, L"Arguments", L"alpha \"beta gamma\""));
    ASSERT_TRUE(WriteString(entry, L"StartIn", startIn));
    ASSERT_TRUE(WriteDword(ProgramRoot, L"HideAfterLaunch", 1));
    HWND window = StartOnShortcutsPage();
    ASSERT_NE(nullptr, window);
    HWND row = WaitForListWindow(1);
    ASSERT_NE(nullptr, row) << "no row under the category";

    const RECT rect = WindowRect(row);
    Click(rect.left + 90, rect.top + 11);
    const std::vector<std::wstring> record = WaitForLaunch();
    ASSERT_EQ(3u, record.size()) << "the file was not opened";
    EXPECT_NE(std::wstring::npos, record[0].find(L"alpha \"beta gamma\""))
        << "command line: " << Utf8(record[0]);
    // The current folder comes back without the temporary folder's closing backslash.
    const std::wstring expectedFolder = startIn.substr(0, startIn.find_last_not_of(L'\\') + 1);
    EXPECT_EQ(0, lstrcmpiW(expectedFolder.c_str(), record[1].c_str()))
        << "working folder: " << Utf8(record[1]);
    // The click has been handled in full once the window answers again.
    Settle(window);
    EXPECT_TRUE(IsWindowVisible(window)) << "a shortcut click hid the window";
    EXPECT_FALSE(IsIconic(window));
}

TEST_F(ShortcutRowTest, LaunchAllWithHideAfterLaunchSendsTheWindowToTheTray)
{
    ASSERT_TRUE(WriteString(CategoryKey + L"\\Recorder", L"ItemPath", RecorderPath()));
    ASSERT_TRUE(WriteDword(ProgramRoot, L"HideAfterLaunch", 1));
    HWND window = StartOnShortcutsPage();
    ASSERT_NE(nullptr, window);
    HWND header = WaitForListWindow(0);
    ASSERT_NE(nullptr, header) << "no category header";

    ChooseFromMenu(header, 'L');
    EXPECT_EQ(3u, WaitForLaunch().size()) << "the category's entry was not opened";
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }))
        << "the window stayed after the launch";
    EXPECT_TRUE(TrayIconExists(window, 1));
}
