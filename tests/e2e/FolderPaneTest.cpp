// The folders pane as a user meets it: a right click on its background adds a folder
// category through the category dialog, a second one under the same name in other letter
// case is refused, and a click on a folder row opens the folder in the shell.

#include <gtest/gtest.h>

#include "tests/e2e/Harness.h"

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

using namespace e2e;

namespace
{
const std::wstring FolderCategoriesKey = std::wstring(ProgramRoot) + L"\\Folders\\Category";
const wchar_t DuplicateMessage[] = L"Category with this name already exists";
// Sorts before every category the program may bring along, so its header comes first.
const wchar_t FirstCategory[] = L"AAA e2e";
const wchar_t SecondCategory[] = L"AAB e2e";
constexpr int RowHeight = 22;

std::vector<HWND> VisibleChildren(HWND parent, const wchar_t* className)
{
    std::vector<HWND> found;
    for (HWND child = FindWindowExW(parent, nullptr, className, nullptr); child != nullptr;
         child = FindWindowExW(parent, child, className, nullptr))
        if (IsWindowVisible(child))
            found.push_back(child);
    return found;
}

// The pane's rows and headers column by column, each column from the top.
std::vector<HWND> PaneWindowsInOrder(HWND pane)
{
    std::vector<HWND> windows = VisibleChildren(pane, L"ListItem");
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

// A visible top-level window of the process whose title is the text.
HWND FindTopLevel(DWORD pid, const std::wstring& title)
{
    for (HWND window = FindWindowExW(nullptr, nullptr, nullptr, title.c_str()); window != nullptr;
         window = FindWindowExW(nullptr, window, nullptr, title.c_str()))
    {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == pid && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

// The process's message box that shows the text.
HWND FindMessageBox(DWORD pid, const wchar_t* text)
{
    for (HWND box = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); box != nullptr;
         box = FindWindowExW(nullptr, box, L"#32770", nullptr))
    {
        DWORD owner = 0;
        GetWindowThreadProcessId(box, &owner);
        if (owner == pid && IsWindowVisible(box) &&
            FindWindowExW(box, nullptr, L"Static", text) != nullptr)
            return box;
    }
    return nullptr;
}

// Letters and spaces as keys; upper-case letters with Shift held.
void TypeText(const std::wstring& text)
{
    for (wchar_t c : text)
    {
        const bool upper = c >= L'A' && c <= L'Z';
        if (upper)
            KeyDown(VK_SHIFT);
        PressKey(static_cast<WORD>(upper || c == L' ' ? c : c - L'a' + L'A'));
        if (upper)
            KeyUp(VK_SHIFT);
    }
}

// The names of the keys under the path, as written.
std::vector<std::wstring> SubKeys(const std::wstring& path)
{
    std::vector<std::wstring> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    wchar_t name[256];
    for (DWORD i = 0, size = 256;
         RegEnumKeyExW(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, size = 256)
        names.push_back(name);
    RegCloseKey(key);
    return names;
}

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

class FolderPaneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, CountWindowsOfClass(MainWindowClass)) << "a Pathmoor window is left over";
        DeleteProgramRoot();
    }

    void TearDown() override
    {
        if (m_opened != nullptr && IsWindow(m_opened))
            PostMessageW(m_opened, WM_CLOSE, 0, 0);
        m_program.Kill();
        DeleteProgramRoot();
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
                return (dialog = FindTopLevel(m_program.Pid(), L"Add category")) != nullptr &&
                       GetForegroundWindow() == dialog;
            }))
            << "no category dialog";
        TypeText(name);
        PressKey(VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); })) << "the dialog stayed";
    }

    CProgram m_program;
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
            return (box = FindMessageBox(m_program.Pid(), DuplicateMessage)) != nullptr &&
                   GetForegroundWindow() == box;
        }))
        << "the duplicate was not refused";
    SaveScreenshot(L"folder-category-duplicate");
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); })) << "the message box stayed";
    EXPECT_EQ(headersBefore + 1, VisibleChildren(pane, L"ListItem").size());

    ASSERT_TRUE(m_program.Close());
    std::vector<std::wstring> archives;
    for (const auto& name : SubKeys(FolderCategoriesKey))
        if (lstrcmpiW(name.c_str(), L"archive") == 0)
            archives.push_back(name);
    const std::vector<std::wstring> expected = {L"archive"};
    EXPECT_EQ(expected, archives) << "stored: "
                                  << testing::PrintToString(SubKeys(FolderCategoriesKey));
}

TEST_F(FolderPaneTest, ClickOnAFolderRowOpensTheFolder)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folderName = L"pm-e2e-open-" + std::to_wstring(GetCurrentProcessId());
    m_folder = std::wstring(temp) + folderName;
    ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(WriteString(FolderCategoriesKey + L"\\" + FirstCategory + L"\\" + folderName,
                            L"ItemPath", m_folder));
    const HWND pane = StartAndFindPane();
    ASSERT_NE(nullptr, pane) << "no folders pane";

    // The first header is the top left one; its only row lies right under it.
    std::vector<HWND> windows;
    ASSERT_TRUE(WaitFor([&] { return (windows = PaneWindowsInOrder(pane)).size() >= 2; }))
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
    const std::wstring first = FolderCategoriesKey + L"\\" + FirstCategory;
    const std::wstring second = FolderCategoriesKey + L"\\" + SecondCategory;
    ASSERT_TRUE(WriteString(first + L"\\Windows", L"ItemPath", L"C:\\windows"));
    ASSERT_TRUE(WriteString(second + L"\\Fonts", L"ItemPath", L"C:\\windows\\Fonts"));
    const HWND pane = StartAndFindPane();
    ASSERT_NE(nullptr, pane) << "no folders pane";
    // First header, its row, second header, its row.
    std::vector<HWND> windows;
    ASSERT_TRUE(WaitFor([&] { return (windows = PaneWindowsInOrder(pane)).size() >= 4; }))
        << "the seeded categories are not shown";
    const RECT row = WindowRect(windows[1]);
    const RECT target = WindowRect(windows[2]);
    ASSERT_EQ(row.bottom, target.top) << "the second header does not follow the first row";

    Drag({row.left + 60, row.top + 11}, {target.left + 60, target.top + 11});
    ASSERT_TRUE(WaitFor(
        [&]
        {
            const std::vector<HWND> now = PaneWindowsInOrder(pane);
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
