// The very first start fills the catalogue from the machine: Start Menu categories, the
// drives, the user's folders and the files next to the program; a later start adds nothing.

#include <gtest/gtest.h>

#include "tests/support/Files.h"
#include "tests/support/Harness.h"
#include "tests/support/ProgramTest.h"
#include "tests/support/Registry.h"

#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace e2e;
using namespace test_support;

namespace
{

int CountChildren(HWND parent, const wchar_t* className)
{
    int count = 0;
    for (HWND child = FindWindowExW(parent, nullptr, className, nullptr); child != nullptr;
         child = FindWindowExW(parent, child, className, nullptr))
        ++count;
    return count;
}

size_t CountDrives()
{
    wchar_t drives[512] = {};
    size_t count = 0;
    GetLogicalDriveStringsW(512, drives);
    for (const wchar_t* root = drives; *root != L'\0'; root += wcslen(root) + 1)
        ++count;
    return count;
}

size_t CountSpecialFolders()
{
    size_t count = 0;
    for (int csidl : {CSIDL_PERSONAL, CSIDL_MYMUSIC, CSIDL_MYPICTURES, CSIDL_MYVIDEO})
    {
        wchar_t path[MAX_PATH] = {};
        count += SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE) ? 1 : 0;
    }
    return count;
}

// A scan takes at most 11 files of a folder.
size_t ExpectedTestData()
{
    size_t files = 0;
    WIN32_FIND_DATAW found = {};
    const HANDLE search = FindFirstFileW((ExecutableDirectory() + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do
        files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
    while (FindNextFileW(search, &found));
    FindClose(search);
    return files < 11 ? files : 11;
}

class FirstLaunchTest : public CProgramTest
{
protected:
    FirstLaunchTest() : CProgramTest(EProgramKey::Deleted) {}

    void SetUp() override { ASSERT_NO_FATAL_FAILURE(CProgramTest::SetUp()); }

    void TearDown() override { CProgramTest::TearDown(); }

    // Starts the program, counts the rows of each page and the pane, and closes it again.
    void StartAndClose(int rows[3], int line)
    {
        SCOPED_TRACE(testing::Message() << "called from line " << line);
        ASSERT_TRUE(m_program.Start());
        HWND window = m_program.WaitForMainWindow();
        ASSERT_NE(nullptr, window) << "no main window appeared";
        const HWND parents[3] = {FindWindowExW(window, nullptr, L"Page", L"ApplicationsPage"),
                                 FindWindowExW(window, nullptr, L"Page", L"ShortcutsPage"),
                                 FindWindowExW(window, nullptr, L"FoldersPane", nullptr)};
        for (int i = 0; i < 3; ++i)
        {
            ASSERT_NE(nullptr, parents[i]) << "no page or pane " << i;
            rows[i] = CountChildren(parents[i], L"ListItem");
        }
        if (m_screenshot)
        {
            EXPECT_FALSE(SaveScreenshot(L"first-launch").empty());
        }
        ASSERT_TRUE(m_program.Close());
        EXPECT_EQ(0u, m_program.ExitCode());
    }

    bool m_screenshot = true;
};
} // namespace

TEST_F(FirstLaunchTest, FirstStartShowsTheDefaultCategories)
{
    int rows[3] = {-1, -1, -1};
    StartAndClose(rows, __LINE__);
    // The Start Menus of a fresh prefix hold nothing in the scanned folders.
    EXPECT_EQ(4, rows[0]) << "application headers";
    EXPECT_EQ(static_cast<int>(1 + ExpectedTestData()), rows[1]) << "shortcut rows";
    EXPECT_EQ(static_cast<int>(2 + CountDrives() + CountSpecialFolders()), rows[2])
        << "folder rows";

    EXPECT_EQ(
        (std::vector<std::wstring>{L"Accessories", L"Ease of Access", L"Games", L"System Tools"}),
        SubKeys(ApplicationsKey));
    EXPECT_EQ((std::vector<std::wstring>{L"Disks", L"My folders"}), SubKeys(FoldersKey));
    EXPECT_EQ(std::vector<std::wstring>{L"Test data"}, SubKeys(ShortcutsKey));
    EXPECT_EQ(CountDrives(), SubKeys(FoldersKey + L"\\Disks").size());
    EXPECT_EQ(L"C:\\", ReadString(FoldersKey + L"\\Disks\\C:", L"ItemPath"));
    wchar_t documents[MAX_PATH] = L"sentinel";
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, documents, CSIDL_PERSONAL, FALSE));
    EXPECT_EQ(documents, ReadString(FoldersKey + L"\\My folders\\My documents", L"ItemPath"));

    const std::wstring testData = ShortcutsKey + L"\\Test data";
    const std::vector<std::wstring> files = SubKeys(testData);
    EXPECT_EQ(ExpectedTestData(), files.size());
    for (const std::wstring& name : files)
    {
        const std::wstring path = ReadString(testData + L"\\" + name, L"ItemPath");
        EXPECT_EQ(0, path.compare(0, ExecutableDirectory().size(), ExecutableDirectory()))
            << Utf8(name) << " has the path " << Utf8(path);
        EXPECT_EQ(L"", ReadString(testData + L"\\" + name, L"Arguments")) << Utf8(name);
        DWORD hotKey = 0xdead;
        EXPECT_TRUE(ReadDword(testData + L"\\" + name, L"HotKey", hotKey));
        EXPECT_EQ(0u, hotKey) << Utf8(name);
    }
}

TEST_F(FirstLaunchTest, SecondStartAndImportedStoreAddNothing)
{
    int first[3] = {-1, -1, -1};
    StartAndClose(first, __LINE__);
    const std::vector<std::wstring> afterFirst = DumpTree(ProgramRoot);
    ASSERT_TRUE(std::any_of(afterFirst.begin(), afterFirst.end(),
                            [](const std::wstring& line)
                            { return line.find(L"Test data") != std::wstring::npos; }))
        << "no defaults were made";

    m_screenshot = false;
    int second[3] = {-1, -1, -1};
    StartAndClose(second, __LINE__);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(first[i], second[i]) << "rows of page or pane " << i;
    EXPECT_EQ(afterFirst, DumpTree(ProgramRoot));

    // A store imported by hand comes without the first-start marker: its catalogue is
    // kept as it is, without a second set of defaults beside it.
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyValueW(HKEY_CURRENT_USER, ProgramRoot, L"FirstLaunch"));
    int third[3] = {-1, -1, -1};
    StartAndClose(third, __LINE__);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(first[i], third[i]) << "rows of page or pane " << i << " after an import";
    EXPECT_EQ(afterFirst, DumpTree(ProgramRoot));
}
