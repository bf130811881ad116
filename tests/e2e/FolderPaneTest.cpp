// The folders pane as a user meets it: a right click on its background adds a folder
// category through the category dialog, a second one under the same name in other letter
// case is refused, and a click on a folder row opens the folder in the shell.

#include <gtest/gtest.h>

#include "tests/support/Files.h"
#include "tests/support/Harness.h"
#include "tests/support/ProgramTest.h"
#include "tests/support/CrossProcessInput.h"
#include "tests/support/Registry.h"
#include "tests/support/Screen.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace e2e;
using namespace test_support;

namespace
{
const wchar_t DuplicateMessage[] = L"Category with this name already exists";
// Sorts before every category the program may bring along, so its header comes first.
const wchar_t FirstCategory[] = L"AAA e2e";
const wchar_t SecondCategory[] = L"AAB e2e";

HWND FoldersPaneOf(HWND window)
{
    return FindWindowExW(window, nullptr, L"FoldersPane", nullptr);
}

// A point of the pane below every row and header.
POINT EmptyPanePoint(HWND pane)
{
    const RECT rect = WindowRect(pane);
    int lowest = rect.top;
    for (HWND child : VisibleChildren(pane, L"ListItem"))
        lowest = std::max<int>(lowest, WindowRect(child).bottom);
    return {(rect.left + rect.right) / 2, (lowest + rect.bottom) / 2};
}

struct TitleSearch
{
    std::wstring part;
    HWND found;
    std::wstring title;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<TitleSearch*>(param);
    wchar_t title[512] = {};
    GetWindowTextW(window, title, 512);
    if (!IsWindowVisible(window) || std::wstring(title).find(search->part) == std::wstring::npos)
        return TRUE;
    search->found = window;
    search->title = title;
    return FALSE;
}

class FolderPaneTest : public CProgramTest
{
protected:
    FolderPaneTest() : CProgramTest(EProgramKey::Deleted) {}

    void SetUp() override { ASSERT_NO_FATAL_FAILURE(CProgramTest::SetUp()); }

    void TearDown() override
    {
        if (m_opened != nullptr && IsWindow(m_opened))
            PostMessageW(m_opened, WM_CLOSE, 0, 0);
        CProgramTest::TearDown();
        if (!m_folder.empty())
            RemoveDirectoryW(m_folder.c_str());
    }

    HWND StartAndFindPane()
    {
        if (!m_program.Start())
            return nullptr;
        m_window = m_program.WaitForMainWindow();
        if (m_window == nullptr)
            return nullptr;
        SetForegroundWindow(m_window);
        WaitFor([&] { return GetForegroundWindow() == m_window; });
        return FoldersPaneOf(m_window);
    }

    // Right click on the pane's background, "&Add category" by its key, the name typed
    // into the dialog and Enter.
    void AddCategoryByHand(HWND pane, const std::wstring& name, int line)
    {
        SCOPED_TRACE(testing::Message() << "called from line " << line);
        const POINT point = EmptyPanePoint(pane);
        Click(point.x, point.y, false);
        ASSERT_TRUE(WaitFor(
            []
            {
                const HWND menu = FindWindowW(L"#32768", nullptr);
                return menu != nullptr && IsWindowVisible(menu);
            }))
            << "no menu on the pane";
        PressKey('A');
        HWND dialog = nullptr;
        ASSERT_TRUE(WaitFor(
            [&]
            {
                return (dialog = FindTopLevel({m_program.Pid(), nullptr, L"Add category"})) !=
                           nullptr &&
                       GetForegroundWindow() == dialog;
            }))
            << "no category dialog";
        TypeLetters(name);
        PressKey(VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); })) << "the dialog stayed";
    }

    HWND m_window = nullptr;
    HWND m_opened = nullptr;
    std::wstring m_folder;
};
} // namespace

TEST_F(FolderPaneTest, AddCategoryFromThePaneAndRefuseItInOtherCase)
{
    const HWND pane = StartAndFindPane();
    ASSERT_NE(nullptr, pane) << "no folders pane";
    const size_t headersBefore = VisibleChildren(pane, L"ListItem").size();

    AddCategoryByHand(pane, L"archive", __LINE__);
    ASSERT_TRUE(
        WaitFor([&] { return VisibleChildren(pane, L"ListItem").size() == headersBefore + 1; }))
        << "no new header in the pane";

    AddCategoryByHand(pane, L"ARCHIVE", __LINE__);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor(
        [&]
        {
            return (box = FindTopLevel(
                        {m_program.Pid(), DialogClass, nullptr, DuplicateMessage})) != nullptr &&
                   GetForegroundWindow() == box;
        }))
        << "the duplicate was not refused";
    SaveScreenshot(L"folder-category-duplicate");
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); })) << "the message box stayed";
    EXPECT_EQ(headersBefore + 1, VisibleChildren(pane, L"ListItem").size());

    ASSERT_TRUE(m_program.Close());
    std::vector<std::wstring> archives;
    for (const auto& name : SubKeys(FoldersKey))
        if (lstrcmpiW(name.c_str(), L"archive") == 0)
            archives.push_back(name);
    const std::vector<std::wstring> expected = {L"archive"};
    EXPECT_EQ(expected, archives) << "stored: " << testing::PrintToString(SubKeys(FoldersKey));
}

// A press whose point lies left of the pane, as it does while another window of the
// program holds the capture, carries a negative x. Read unsigned, it would lie some 65000
// pixels to the right and the menu would open at the screen's right edge.
TEST_F(FolderPaneTest, MenuOpensAtAPointLeftOfThePane)
{
    const HWND pane = StartAndFindPane();
    ASSERT_NE(nullptr, pane) << "no folders pane";
    POINT expected = {-20, 30};
    ClientToScreen(pane, &expected);
    ASSERT_FALSE(PopupMenuShown()) << "a menu is open already";

    ASSERT_TRUE(PostMessageW(pane, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(-20, 30)));
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = ShownPopupMenu()) != nullptr; }))
        << "no menu on the pane";
    const RECT rect = WindowRect(menu);
    EXPECT_EQ(expected.x, rect.left) << "the pane's left edge is at " << WindowRect(pane).left;
    EXPECT_EQ(expected.y, rect.top);

    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([] { return !PopupMenuShown(); })) << "the menu stayed";
}

TEST_F(FolderPaneTest, ClickOnAFolderRowOpensTheFolder)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folderName = L"pm-e2e-open-" + std::to_wstring(GetCurrentProcessId());
    m_folder = std::wstring(temp) + folderName;
    ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(WriteString(FoldersKey + L"\\" + FirstCategory + L"\\" + folderName, L"ItemPath",
                            m_folder));
    const HWND pane = StartAndFindPane();
    ASSERT_NE(nullptr, pane) << "no folders pane";

    // The first header is the top left one; its only row lies right under it.
    std::vector<HWND> windows;
    ASSERT_TRUE(WaitFor([&] { return (windows = ListWindowsInOrder(pane)).size() >= 2; }))
        << "no folder row";
    const HWND row = windows[1];
    ASSERT_EQ(WindowRect(windows[0]).top + RowHeight, WindowRect(row).top);

    TitleSearch before = {folderName, nullptr, L""};
    EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&before));
    ASSERT_EQ(nullptr, before.found) << "a window of the folder is open already";
    const RECT rect = WindowRect(row);
    Click(rect.left + 60, rect.top + 11);
    TitleSearch opened = {folderName, nullptr, L""};
    ASSERT_TRUE(WaitFor(
        [&]
        {
            EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&opened));
            return opened.found != nullptr;
        }))
        << "no window of the folder came up";
    m_opened = opened.found;
    wchar_t className[256] = {};
    GetClassNameW(m_opened, className, 256);
    std::wcout << L"opened: class \"" << className << L"\", title \"" << opened.title << L"\""
               << std::endl;
    SaveScreenshot(L"folder-opened");
    EXPECT_TRUE(IsWindowVisible(m_window)) << "opening a folder hid the main window";
    EXPECT_FALSE(IsIconic(m_window));

    PostMessageW(m_opened, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(m_opened); })) << "the folder window stayed";
}

TEST_F(FolderPaneTest, RowDraggedOntoAnotherCategoryMovesThere)
{
    const std::wstring first = FoldersKey + L"\\" + FirstCategory;
    const std::wstring second = FoldersKey + L"\\" + SecondCategory;
    ASSERT_TRUE(WriteString(first + L"\\Windows", L"ItemPath", L"C:\\windows"));
    ASSERT_TRUE(WriteString(second + L"\\Fonts", L"ItemPath", L"C:\\windows\\Fonts"));
    const HWND pane = StartAndFindPane();
    ASSERT_NE(nullptr, pane) << "no folders pane";
    // First header, its row, second header, its row.
    std::vector<HWND> windows;
    ASSERT_TRUE(WaitFor([&] { return (windows = ListWindowsInOrder(pane)).size() >= 4; }))
        << "the seeded categories are not shown";
    const RECT row = WindowRect(windows[1]);
    const RECT target = WindowRect(windows[2]);
    ASSERT_EQ(row.bottom, target.top) << "the second header does not follow the first row";

    Drag({row.left + 60, row.top + 11}, {target.left + 60, target.top + 11});
    ASSERT_TRUE(WaitFor(
        [&]
        {
            const std::vector<HWND> now = ListWindowsInOrder(pane);
            return WindowRect(now[1]).top == WindowRect(now[0]).top + RowHeight &&
                   now[1] != windows[1] && now[2] != windows[2];
        }))
        << "the pane was not laid out again";
    SaveScreenshot(L"folder-row-moved");

    ASSERT_TRUE(m_program.Close());
    EXPECT_TRUE(SubKeys(first).empty()) << testing::PrintToString(SubKeys(first));
    const std::vector<std::wstring> expected = {L"Fonts", L"Windows"};
    std::vector<std::wstring> moved = SubKeys(second);
    std::sort(moved.begin(), moved.end());
    EXPECT_EQ(expected, moved) << testing::PrintToString(moved);
}

// The row's tip comes up over a stored row as loaded at start-up, and goes when the
// mouse leaves the row.
TEST_F(FolderPaneTest, HoveringAStoredFolderRowShowsItsPath)
{
    const std::wstring path = L"C:\\users\\Public\\pm-e2e-tip-" + std::to_wstring(GetTickCount());
    ASSERT_TRUE(WriteString(FoldersKey + L"\\" + FirstCategory + L"\\Tip row", L"ItemPath", path));
    const HWND pane = StartAndFindPane();
    ASSERT_NE(nullptr, pane) << "no folders pane";
    std::vector<HWND> windows;
    ASSERT_TRUE(WaitFor([&] { return (windows = ListWindowsInOrder(pane)).size() >= 2; }))
        << "no folder row";
    const RECT rect = WindowRect(windows[1]);
    MoveMouse(rect.left + 50, rect.top + 10);
    MoveMouse(rect.left + 60, rect.top + 11);
    std::wstring seen;
    ASSERT_TRUE(WaitForTip(m_program.Pid(), path, seen)) << "tip seen: " << Utf8(seen);
    MoveMouse(rect.left - 200, rect.top + 11);
    EXPECT_TRUE(WaitForNoTip(m_program.Pid())) << "the tip stayed after the mouse left the row";
}
