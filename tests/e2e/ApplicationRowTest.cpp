// An application row as a user meets it: a click starts the program with its
// arguments and start-in folder, the running ball follows within one scan, and
// a click on the ball asks the program to close through its own close path.

#include <gtest/gtest.h>

#include "tests/e2e/Harness.h"

#include <fstream>
#include <string>
#include <vector>

using namespace e2e;

namespace
{
const std::wstring EntryKey =
    std::wstring(ProgramRoot) + L"\\Applications\\Category\\Tools\\Recorder";
constexpr int BallCentreX = 11; // the 10-pixel ball starts 6 pixels in
constexpr int BallCentreY = 9;  // and 4 pixels down

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

std::wstring TempFolder()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    wchar_t longTemp[MAX_PATH] = {};
    GetLongPathNameW(temp, longTemp, MAX_PATH);
    return longTemp;
}

// The recorder's lines: command line, working folder, process id.
std::vector<std::wstring> ReadRecord(const std::wstring& path)
{
    std::vector<std::wstring> lines;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lines;
    std::wstring text(4096, L'\0');
    DWORD read = 0;
    ReadFile(file, &text[0], static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
    CloseHandle(file);
    text.resize(read / sizeof(wchar_t));
    for (size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos;
         start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

COLORREF ScreenPixel(POINT point)
{
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

class ApplicationRowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, CountWindowsOfClass(MainWindowClass)) << "a Pathmoor window is left over";
        ResetProgramRoot();
        m_record = TempFolder() + L"pathmoor-launch-record.txt";
        DeleteFileW(m_record.c_str());
        SetEnvironmentVariableW(L"PATHMOOR_LAUNCH_RECORD", m_record.c_str());
    }

    void TearDown() override
    {
        if (m_launched != nullptr)
        {
            TerminateProcess(m_launched, 255);
            CloseHandle(m_launched);
        }
        m_program.Kill();
        DeleteProgramRoot();
        DeleteFileW(m_record.c_str());
    }

    // The entry's row: the lowest "ListItem" window of the applications page.
    static HWND EntryRow(HWND window)
    {
        HWND page = FindWindowExW(window, nullptr, L"Page", L"ApplicationsPage");
        HWND lowest = nullptr;
        for (HWND child = FindWindowExW(page, nullptr, L"ListItem", nullptr); child != nullptr;
             child = FindWindowExW(page, child, L"ListItem", nullptr))
            if (IsWindowVisible(child) &&
                (lowest == nullptr || WindowRect(child).top > WindowRect(lowest).top))
                lowest = child;
        return lowest;
    }

    CProgram m_program;
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
    ASSERT_TRUE(m_program.Start());
    HWND window = m_program.WaitForMainWindow();
    ASSERT_NE(nullptr, window);
    HWND row = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (row = EntryRow(window)) != nullptr; })) << "no entry row";
    const RECT rowRect = WindowRect(row);
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
    ASSERT_TRUE(m_program.Start());
    HWND window = m_program.WaitForMainWindow();
    ASSERT_NE(nullptr, window);
    HWND row = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (row = EntryRow(window)) != nullptr; })) << "no entry row";
    const RECT rowRect = WindowRect(row);

    Click(rowRect.left + 90, rowRect.top + 11);
    std::vector<std::wstring> record;
    ASSERT_TRUE(WaitFor([&] { return (record = ReadRecord(m_record)).size() == 3; }))
        << "the program did not start";
    m_launched = OpenProcess(PROCESS_TERMINATE, FALSE, std::stoul(record[2]));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }))
        << "the window stayed after the launch";
    EXPECT_TRUE(TrayIconExists(window, 1));
}
