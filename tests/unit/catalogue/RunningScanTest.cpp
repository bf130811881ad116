#include "catalogue/RunningScan.h"

#include "catalogue/ApplicationCategorizedList.h"
#include "catalogue/ApplicationItem.h"
#include "tests/support/unit/LaunchRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using test_support::CLaunchRecorder;

namespace
{
const HWND SentinelWindow = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x5EA1));

bool Contains(const std::vector<DWORD>& ids, DWORD id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

class RunningScanTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_tools = m_list.AddCategory(L"Tools");
        m_games = m_list.AddCategory(L"Games");
    }

    // An item without a window whose state holds sentinels, so the scan must write it.
    CApplicationItem* Add(CCategory* category, const std::wstring& name, const std::wstring& path)
    {
        auto item = std::make_unique<CApplicationItem>(name, category, path, L"", L"", 0, nullptr);
        item->m_running = true;
        item->m_processWindow = SentinelWindow;
        CApplicationItem* added = item.get();
        category->m_items.push_back(std::move(item));
        return added;
    }

    void ExpectRunning(const CApplicationItem& item, HWND window, int line)
    {
        SCOPED_TRACE(testing::Message() << "called from line " << line << ", item "
                                        << testing::PrintToString(item.m_path));
        EXPECT_TRUE(item.m_running);
        EXPECT_EQ(window, item.m_processWindow);
    }

    void ExpectNotRunning(const CApplicationItem& item, int line)
    {
        SCOPED_TRACE(testing::Message() << "called from line " << line << ", item "
                                        << testing::PrintToString(item.m_path));
        EXPECT_FALSE(item.m_running);
        EXPECT_EQ(SentinelWindow, item.m_processWindow) << "the window is kept while not running";
    }

    CApplicationCategorizedList m_list;
    CCategory* m_tools = nullptr;
    CCategory* m_games = nullptr;
};
} // namespace

TEST_F(RunningScanTest, OneProcessMarksEveryItemWithItsFileName)
{
    CLaunchRecorder helper;
    ASSERT_TRUE(helper.Start(L""));
    const HWND main = helper.FindMainWindow();
    ASSERT_NE(nullptr, main);
    CApplicationItem* first = Add(m_tools, L"Recorder", L"C:\\Tools\\launch_recorder.exe");
    CApplicationItem* second = Add(m_games, L"Other copy", L"D:\\Elsewhere\\launch_recorder.exe");
    CApplicationItem* other = Add(m_tools, L"Editor", L"C:\\Tools\\launch_recorder2.exe");

    ScanRunningApplications(m_list, {helper.m_processId});

    ExpectRunning(*first, main, __LINE__);
    ExpectRunning(*second, main, __LINE__);
    ExpectNotRunning(*other, __LINE__);
}

TEST_F(RunningScanTest, FileNamesMatchWhateverTheirLetterCase)
{
    CLaunchRecorder helper;
    ASSERT_TRUE(helper.Start(L""));
    CApplicationItem* upper = Add(m_tools, L"Upper", L"C:\\TOOLS\\LAUNCH_RECORDER.EXE");
    CApplicationItem* mixed = Add(m_tools, L"Mixed", L"c:\\tools\\Launch_Recorder.Exe");

    ScanRunningApplications(m_list, {helper.m_processId});

    ExpectRunning(*upper, helper.FindMainWindow(), __LINE__);
    ExpectRunning(*mixed, helper.FindMainWindow(), __LINE__);
}

TEST_F(RunningScanTest, ItemsWithoutAFileNameNeverRun)
{
    CLaunchRecorder helper;
    ASSERT_TRUE(helper.Start(L""));
    CApplicationItem* empty = Add(m_tools, L"Empty", L"");
    CApplicationItem* folder = Add(m_tools, L"Folder", L"C:\\Tools\\");

    ScanRunningApplications(m_list, EnumAllProcesses());

    ExpectNotRunning(*empty, __LINE__);
    ExpectNotRunning(*folder, __LINE__);
}

TEST_F(RunningScanTest, EndedProgramsAreNoLongerRunning)
{
    CApplicationItem* item = Add(m_tools, L"Recorder", L"C:\\Tools\\launch_recorder.exe");
    ScanRunningApplications(m_list, {});
    ExpectNotRunning(*item, __LINE__);
}

TEST_F(RunningScanTest, ProcessesThatCannotBeOpenedAreSkipped)
{
    CApplicationItem* item = Add(m_tools, L"Recorder", L"C:\\Tools\\launch_recorder.exe");
    ScanRunningApplications(m_list, {0, 0xFFFFFFF0});
    ExpectNotRunning(*item, __LINE__);
}

TEST_F(RunningScanTest, TheLastMatchingProcessGivesTheWindow)
{
    CLaunchRecorder firstHelper;
    ASSERT_TRUE(firstHelper.Start(L""));
    CLaunchRecorder secondHelper;
    ASSERT_TRUE(secondHelper.Start(L""));
    ASSERT_NE(firstHelper.FindMainWindow(), secondHelper.FindMainWindow());
    CApplicationItem* item = Add(m_tools, L"Recorder", L"C:\\Tools\\launch_recorder.exe");

    ScanRunningApplications(m_list, {firstHelper.m_processId, secondHelper.m_processId});
    ExpectRunning(*item, secondHelper.FindMainWindow(), __LINE__);

    ScanRunningApplications(m_list, {secondHelper.m_processId, firstHelper.m_processId});
    ExpectRunning(*item, firstHelper.FindMainWindow(), __LINE__);
}

TEST_F(RunningScanTest, TheVisibleWindowIsChosenOverAHiddenOneAboveIt)
{
    CLaunchRecorder helper;
    ASSERT_TRUE(helper.Start(L"--hidden-first"));
    const HWND decoy = helper.FindWindowOfClass(L"LaunchRecorderDecoy");
    ASSERT_NE(nullptr, decoy);
    ASSERT_FALSE(IsWindowVisible(decoy));
    CApplicationItem* item = Add(m_tools, L"Recorder", L"C:\\Tools\\launch_recorder.exe");

    ScanRunningApplications(m_list, {helper.m_processId});

    ExpectRunning(*item, helper.FindMainWindow(), __LINE__);
}

TEST_F(RunningScanTest, AHiddenWindowServesWhenNoneIsVisible)
{
    CLaunchRecorder helper;
    ASSERT_TRUE(helper.Start(L"--hidden-only"));
    CApplicationItem* item = Add(m_tools, L"Recorder", L"C:\\Tools\\launch_recorder.exe");

    ScanRunningApplications(m_list, {helper.m_processId});

    EXPECT_TRUE(item->m_running);
    const HWND window = item->m_processWindow;
    ASSERT_NE(nullptr, window);
    ASSERT_NE(SentinelWindow, window);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    EXPECT_EQ(helper.m_processId, owner);
    EXPECT_EQ(nullptr, GetParent(window));
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(RunningScanTest, ScanOfTheWholeSystemFindsTheProgram)
{
    CLaunchRecorder helper;
    ASSERT_TRUE(helper.Start(L""));
    CApplicationItem* item = Add(m_tools, L"Recorder", L"C:\\Tools\\launch_recorder.exe");

    ScanRunningApplications(m_list, EnumAllProcesses());

    EXPECT_TRUE(item->m_running);
    EXPECT_NE(SentinelWindow, item->m_processWindow);
}

TEST(EnumAllProcessesTest, ListsThisProcessAndAChild)
{
    CLaunchRecorder helper;
    ASSERT_TRUE(helper.Start(L""));
    const std::vector<DWORD> ids = EnumAllProcesses();
    EXPECT_TRUE(Contains(ids, GetCurrentProcessId()));
    EXPECT_TRUE(Contains(ids, helper.m_processId));
}

TEST(EnumAllProcessesTest, GrowsATooSmallBufferUntilEveryIdFits)
{
    CLaunchRecorder helper;
    ASSERT_TRUE(helper.Start(L""));
    const std::vector<DWORD> ids = EnumAllProcesses(1);
    ASSERT_GE(ids.size(), 2u);
    EXPECT_TRUE(Contains(ids, GetCurrentProcessId()));
    EXPECT_TRUE(Contains(ids, helper.m_processId));
}
