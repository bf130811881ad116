// An application row as a user meets it: a click starts the program with its
// arguments and start-in folder, the running ball follows within one scan, and
// a click on the ball asks the program to close through its own close path.

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
const std::wstring EntryKey = ApplicationsKey + L"\\Tools\\Recorder";

class ApplicationRowTest : public CProgramTest
{
protected:
    ApplicationRowTest() : CProgramTest(EProgramKey::Returning) {}

    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(CProgramTest::SetUp());
        m_record = PrepareLaunchRecord(L"pathmoor-launch-record.txt");
    }

    void TearDown() override
    {
        if (m_launched != nullptr)
        {
            TerminateProcess(m_launched, 255);
            CloseHandle(m_launched);
        }
        CProgramTest::TearDown();
        DeleteFileW(m_record.c_str());
    }

    void StartAndFindRow(HWND& window, RECT& rowRect)
    {
        ASSERT_TRUE(m_program.Start());
        window = m_program.WaitForMainWindow();
        ASSERT_NE(nullptr, window);
        HWND row = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (row = EntryRow(window)) != nullptr; })) << "no entry row";
        rowRect = WindowRect(row);
    }

    // The entry's row: the lowest "ListItem" window of the applications page.
    static HWND EntryRow(HWND window)
    {
        HWND page = FindWindowExW(window, nullptr, L"Page", L"ApplicationsPage");
        HWND lowest = nullptr;
        for (HWND child : VisibleChildren(page, L"ListItem"))
            if (lowest == nullptr || WindowRect(child).top > WindowRect(lowest).top)
                lowest = child;
        return lowest;
    }

    std::wstring m_record;
    HANDLE m_launched = nullptr;
};
} // namespace

TEST_F(ApplicationRowTest, ClickStartsTheProgramAndTheBallClosesIt)
{
    const std::wstring startIn = TempFolder();
    ASSERT_TRUE(WriteString(EntryKey, L"ItemPath", ExecutableDirectory() + L"launch_recorder.exe"));
    ASSERT_TRUE(WriteString(EntryKey, L"Arguments", L"alpha \"beta gamma\""));
    ASSERT_TRUE(WriteString(EntryKey, L"StartIn", startIn));
    HWND window = nullptr;
    RECT rowRect = {};
    ASSERT_NO_FATAL_FAILURE(StartAndFindRow(window, rowRect));
    const POINT ball = {rowRect.left + BallCentreX, rowRect.top + BallCentreY};
    const COLORREF stoppedBall = ScreenPixel(ball);

    Click(rowRect.left + 90, rowRect.top + 11);
    std::vector<std::wstring> record;
    ASSERT_TRUE(WaitFor([&] { return (record = ReadRecord(m_record)).size() == 3; }))
        << "the program did not start";
    EXPECT_NE(std::wstring::npos, record[0].find(L"alpha \"beta gamma\""))
        << "command line: " << std::string(record[0].begin(), record[0].end());
    // The current folder comes back without the temporary folder's closing backslash.
    const std::wstring expectedFolder = startIn.substr(0, startIn.find_last_not_of(L'\\') + 1);
    EXPECT_EQ(0, lstrcmpiW(expectedFolder.c_str(), record[1].c_str()))
        << "working folder: " << std::string(record[1].begin(), record[1].end());
    m_launched = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE,
                             FALSE, std::stoul(record[2]));
    ASSERT_NE(nullptr, m_launched);

    // The user brings Pathmoor back over the started program and watches the ball.
    SetForegroundWindow(window);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == window; }));
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(ball) != stoppedBall; }, 20000))
        << "the ball did not show the program running";
    SaveScreenshot(L"application-running");

    Click(ball.x, ball.y);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(m_launched, DefaultTimeoutMs))
        << "the program was not closed";
    DWORD exitCode = 0xdead;
    GetExitCodeProcess(m_launched, &exitCode);
    EXPECT_EQ(0u, exitCode) << "the program did not end through its own close path";
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(ball) == stoppedBall; }, 20000))
        << "the ball still shows the program running";
}

TEST_F(ApplicationRowTest, HideAfterLaunchSendsTheWindowToTheTrayOnARowClick)
{
    ASSERT_TRUE(WriteString(EntryKey, L"ItemPath", ExecutableDirectory() + L"launch_recorder.exe"));
    ASSERT_TRUE(WriteDword(ProgramRoot, L"HideAfterLaunch", 1));
    HWND window = nullptr;
    RECT rowRect = {};
    ASSERT_NO_FATAL_FAILURE(StartAndFindRow(window, rowRect));

    Click(rowRect.left + 90, rowRect.top + 11);
    std::vector<std::wstring> record;
    ASSERT_TRUE(WaitFor([&] { return (record = ReadRecord(m_record)).size() == 3; }))
        << "the program did not start";
    m_launched = OpenProcess(PROCESS_TERMINATE, FALSE, std::stoul(record[2]));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }))
        << "the window stayed after the launch";
    EXPECT_TRUE(TrayIconExists(window, 1));
}
