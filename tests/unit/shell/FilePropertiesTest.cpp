#include "shell/FileProperties.h"
#include "tests/support/unit/ShellTestSupport.h"
#include "toolkit/Scoped.h"

#include <gtest/gtest.h>
#include <shlobj.h>

using test_support::Utf8;

namespace
{
bool RunsOnWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

std::wstring PathOfPidl(PCIDLIST_ABSOLUTE pidl)
{
    wchar_t path[MAX_PATH];
    wmemset(path, L'#', MAX_PATH);
    if (!SHGetPathFromIDListW(pidl, path))
        return L"(no path)";
    return path;
}

ULONG AttributesOfPidl(PCIDLIST_ABSOLUTE pidl)
{
    SHFILEINFOW info = {};
    info.dwAttributes = 0xDEADBEEF;
    if (!SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl), 0, &info, sizeof(info),
                        SHGFI_PIDL | SHGFI_ATTRIBUTES))
        return 0xDEADBEEF;
    return info.dwAttributes;
}

// Checks that the path gives a list leading to the expected path, with the folder attribute
// as expected, and frees the list.
void ExpectPidlOf(const std::wstring& path, const std::wstring& expected, bool folder, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line << " for " << Utf8(path));
    PIDLIST_ABSOLUTE pidl = reinterpret_cast<PIDLIST_ABSOLUTE>(0x1);
    ASSERT_TRUE(PidlFromPath(path, &pidl));
    ASSERT_NE(nullptr, pidl);
    EXPECT_EQ(0, lstrcmpiW(expected.c_str(), PathOfPidl(pidl).c_str()))
        << "the list leads to " << Utf8(PathOfPidl(pidl));
    EXPECT_EQ(folder, (AttributesOfPidl(pidl) & SFGAO_FOLDER) != 0)
        << "attributes " << std::hex << AttributesOfPidl(pidl);
    ILFree(pidl);
}

// A folder with one file in the temporary folder, removed after each test.
class ShellFileProperties : public testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        wmemset(temp, L'#', MAX_PATH);
        ASSERT_NE(0u, GetTempPathW(MAX_PATH, temp));
        wchar_t longTemp[MAX_PATH];
        ASSERT_NE(0u, GetLongPathNameW(temp, longTemp, MAX_PATH));
        m_folder = std::wstring(longTemp) + L"Pathmoor properties " +
                   std::to_wstring(GetCurrentProcessId());
        m_file = m_folder + L"\\Notes \u00e4.txt";
        ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr)) << "error " << GetLastError();
        CScopedHandle file(CreateFileW(m_file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file) << "error " << GetLastError();
    }

    void TearDown() override
    {
        DeleteFileW(m_file.c_str());
        RemoveDirectoryW(m_folder.c_str());
    }

    std::wstring m_folder;
    std::wstring m_file;
};

TEST_F(ShellFileProperties, PidlFromPathOfAFile)
{
    ExpectPidlOf(m_file, m_file, false, __LINE__);
}

TEST_F(ShellFileProperties, PidlFromPathOfAFolder)
{
    ExpectPidlOf(m_folder, m_folder, true, __LINE__);
    ExpectPidlOf(m_folder + L"\\", m_folder, true, __LINE__);
}

// The file system cannot parse a missing path, so the simple list stands in for
// it. Whether such a list claims the folder attribute is the shell's own choice
// (Wine's does), so only the path it leads to is ours to check.
TEST_F(ShellFileProperties, PidlFromPathOfAMissingPath)
{
    const std::wstring missing = m_folder + L"\\missing.txt";
    PIDLIST_ABSOLUTE pidl = reinterpret_cast<PIDLIST_ABSOLUTE>(0x1);
    ASSERT_TRUE(PidlFromPath(missing, &pidl));
    ASSERT_NE(nullptr, pidl);
    EXPECT_EQ(0, lstrcmpiW(missing.c_str(), PathOfPidl(pidl).c_str()))
        << "the list leads to " << Utf8(PathOfPidl(pidl));
    ILFree(pidl);
}

// The shell would read an empty path as one of its roots and show that root's sheet.
TEST_F(ShellFileProperties, PidlFromPathRefusesAnEmptyPath)
{
    PIDLIST_ABSOLUTE pidl = reinterpret_cast<PIDLIST_ABSOLUTE>(0x1);
    EXPECT_FALSE(PidlFromPath(L"", &pidl));
    EXPECT_EQ(nullptr, pidl);
}

TEST_F(ShellFileProperties, NothingToShowShowsNothing)
{
    EXPECT_FALSE(ShowFileProperties({}));
    EXPECT_FALSE(ShowFileProperties({L""}));
    EXPECT_FALSE(ShowFileProperties({m_file, L""}));
}

// Wine's SHMultiFileProperties is a stub that returns E_NOTIMPL, so the sheet itself cannot
// be seen here; everything up to that call must work.
TEST_F(ShellFileProperties, ShowFilePropertiesReportsTheShellsAnswer)
{
    if (!RunsOnWine())
        GTEST_SKIP() << "the sheet opens on Windows and needs a person to look at it";
    PIDLIST_ABSOLUTE pidls[2] = {};
    ASSERT_TRUE(PidlFromPath(m_file, &pidls[0]));
    ASSERT_TRUE(PidlFromPath(m_folder, &pidls[1]));
    CComPtr<IShellFolder> desktop;
    ASSERT_EQ(S_OK, SHGetDesktopFolder(&desktop));
    CComPtr<IDataObject> items;
    EXPECT_EQ(S_OK,
              desktop->GetUIObjectOf(nullptr, 2, const_cast<PCUITEMID_CHILD_ARRAY>(pidls),
                                     IID_IDataObject, nullptr, reinterpret_cast<void**>(&items)));
    ILFree(pidls[0]);
    ILFree(pidls[1]);
    ASSERT_TRUE(items);
    EXPECT_EQ(E_NOTIMPL, SHMultiFileProperties(items.Get(), 0));

    EXPECT_FALSE(ShowFileProperties({m_file}));
    EXPECT_FALSE(ShowFileProperties({m_file, m_folder}));
}
} // namespace
