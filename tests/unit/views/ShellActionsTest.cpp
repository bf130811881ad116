#include "shell/ShellActions.h"

#include "tests/support/unit/LaunchRecorder.h"
#include "tests/support/unit/ScratchFolder.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <vector>

using test_support::CLaunchRecorder;
using test_support::CScratchFolder;

namespace
{
// Folder names as the helper reports them may differ in case and in a trailing backslash.
void ExpectSameFolder(const std::wstring& expected, const std::wstring& actual, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    auto bare = [](std::wstring folder)
    {
        if (folder.size() > 3 && folder.back() == L'\\')
            folder.pop_back();
        return folder;
    };
    EXPECT_EQ(0, lstrcmpiW(bare(expected).c_str(), bare(actual).c_str()))
        << "expected " << testing::PrintToString(expected) << ", actual "
        << testing::PrintToString(actual);
}

std::wstring CurrentFolder()
{
    wchar_t folder[MAX_PATH] = {};
    return std::wstring(folder, GetCurrentDirectoryW(MAX_PATH, folder));
}

// The helper must end through its own close box: exit code 0, not 3 (a bare WM_QUIT).
void CloseHelper(const CLaunchRecorder& recorder, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    const HWND main = recorder.FindMainWindow();
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(PostMessageW(main, WM_CLOSE, 0, 0));
    EXPECT_EQ(0u, recorder.WaitForExit());
}
} // namespace

TEST(MakeOpenWithParametersTest, AppendsThePathUnquoted)
{
    EXPECT_EQ(L"shell32.dll,OpenAs_RunDLL C:\\My Files\\report.xyz",
              MakeOpenWithParameters(L"C:\\My Files\\report.xyz"));
    EXPECT_EQ(L"shell32.dll,OpenAs_RunDLL ", MakeOpenWithParameters(L""));
}

TEST(LaunchPathTest, EmptyPathIsRefused)
{
    EXPECT_FALSE(LaunchPath(L"", CurrentFolder(), L"--never"));
}

TEST(LaunchPathTest, StartsTheProgramWithArgumentsInTheStartInFolder)
{
    CScratchFolder folder;
    const std::wstring startIn = folder.MakeFolder(L"start here");
    CLaunchRecorder recorder;
    ASSERT_TRUE(LaunchPath(CLaunchRecorder::ProgramPath(), startIn, L"alpha \"two words\" -x"));
    ASSERT_TRUE(recorder.WaitForRecord()) << "the helper never wrote its record";
    const std::vector<std::wstring> expected = {L"alpha", L"two words", L"-x"};
    EXPECT_EQ(expected, test_support::CommandLineArguments(recorder.m_commandLine))
        << "command line " << testing::PrintToString(recorder.m_commandLine);
    ExpectSameFolder(startIn, recorder.m_folder, __LINE__);
    CloseHelper(recorder, __LINE__);
}

TEST(LaunchPathTest, EmptyArgumentsAndStartInLeaveTheCurrentFolder)
{
    CLaunchRecorder recorder;
    ASSERT_TRUE(LaunchPath(CLaunchRecorder::ProgramPath(), L"", L""));
    ASSERT_TRUE(recorder.WaitForRecord()) << "the helper never wrote its record";
    EXPECT_TRUE(test_support::CommandLineArguments(recorder.m_commandLine).empty())
        << "command line " << testing::PrintToString(recorder.m_commandLine);
    ExpectSameFolder(CurrentFolder(), recorder.m_folder, __LINE__);
    CloseHelper(recorder, __LINE__);
}

TEST(LaunchPathTest, MissingProgramIsRefused)
{
    CScratchFolder folder;
    EXPECT_FALSE(LaunchPath(folder / L"absent.exe", L"", L""));
}

TEST(LaunchPathTest, FileWithoutAssociationOffersOpenWith)
{
    CScratchFolder folder;
    const std::wstring document = folder.MakeFile(L"report.pmnoassoc");
    const INT_PTR direct = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, nullptr, document.c_str(), L"", L"", SW_SHOWNORMAL));
    ASSERT_EQ(SE_ERR_NOASSOC, direct) << "the type must have no program for this test";
    EXPECT_TRUE(LaunchPath(document, L"", L"")) << "the Open With choice was not started";
}
