#include "catalogue/ApplicationItem.h"

#include "catalogue/ApplicationCategorizedList.h"
#include "catalogue/RunningScan.h"
#include "tests/unit/catalogue/TopLevelWindow.h"
#include "tests/support/unit/LaunchRecorder.h"

#include <gtest/gtest.h>

#include <memory>

using catalogue_test::CTopLevelWindow;
using test_support::CLaunchRecorder;

namespace
{
bool TakePosted(HWND hWnd, UINT message)
{
    MSG posted = {};
    return PeekMessageW(&posted, hWnd, message, message, PM_REMOVE) != FALSE;
}

// No close request and no quit may be waiting in this thread's queue.
void ExpectNoClosePosted(int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    EXPECT_FALSE(TakePosted(nullptr, WM_CLOSE)) << "a WM_CLOSE is waiting";
    EXPECT_FALSE(TakePosted(nullptr, WM_QUIT)) << "a WM_QUIT reached the thread";
}

std::unique_ptr<CApplicationItem> MakeItem(const std::wstring& path)
{
    return std::make_unique<CApplicationItem>(L"Recorder", nullptr, path, L"", L"", 0, nullptr);
}
} // namespace

TEST(CloseApplicationTest, PostsCloseToTheProcessWindow)
{
    CTopLevelWindow window;
    ASSERT_NE(nullptr, window.Get());
    auto item = MakeItem(L"C:\\Tools\\tool.exe");
    item->m_running = true;
    item->m_processWindow = window.Get();

    EXPECT_TRUE(CloseApplication(*item));

    EXPECT_TRUE(TakePosted(window.Get(), WM_CLOSE)) << "no WM_CLOSE was posted";
    ExpectNoClosePosted(__LINE__);
}

TEST(CloseApplicationTest, DoesNothingWhileNotRunning)
{
    CTopLevelWindow window;
    auto item = MakeItem(L"C:\\Tools\\tool.exe");
    item->m_running = false;
    item->m_processWindow = window.Get();

    EXPECT_FALSE(CloseApplication(*item));

    ExpectNoClosePosted(__LINE__);
}

TEST(CloseApplicationTest, RunningWithoutAWindowHasNoEffect)
{
    auto item = MakeItem(L"C:\\Tools\\tool.exe");
    item->m_running = true;
    item->m_processWindow = nullptr;

    EXPECT_FALSE(CloseApplication(*item));

    ExpectNoClosePosted(__LINE__);
}

TEST(CloseApplicationTest, TheScannedProgramEndsThroughItsCloseBox)
{
    CLaunchRecorder helper;
    ASSERT_TRUE(helper.Start(L"--hidden-first"));
    CApplicationCategorizedList list;
    CCategory* tools = list.AddCategory(L"Tools");
    tools->m_items.push_back(MakeItem(L"C:\\Tools\\launch_recorder.exe"));
    auto& item = static_cast<CApplicationItem&>(*tools->m_items.back());
    ScanRunningApplications(list, {helper.m_processId});
    ASSERT_TRUE(item.m_running);
    // As a scan that met the program before it showed its window keeps: a hidden one.
    const HWND decoy = FindWindowW(L"LaunchRecorderDecoy", nullptr);
    ASSERT_NE(nullptr, decoy);
    ASSERT_NE(decoy, item.m_processWindow);
    item.m_processWindow = decoy;

    EXPECT_TRUE(CloseApplication(item));

    // 0 only when the main window was closed; a bare WM_QUIT ends the helper with 3, and a
    // close request sent to its hidden window is ignored.
    EXPECT_EQ(0u, helper.WaitForExit());
}
