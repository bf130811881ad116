#include "views/ApplicationCategoryWindow.h"
#include "views/ApplicationItemWindow.h"

#include "catalogue/ApplicationItem.h"
#include "catalogue/Catalogue.h"
#include "resources/resource.h"
#include "tests/support/unit/MainWindowTest.h"
#include "tests/support/unit/MessageBoxCloser.h"
#include "tests/unit/views/HostedViewsTest.h"
#include "tests/support/InProcessInput.h"
#include "tests/support/unit/LaunchRecorder.h"
#include "tests/unit/views/ReferenceRow.h"
#include "tests/support/unit/ScratchFolder.h"
#include "tests/support/unit/ShellLinkFile.h"
#include "tests/unit/views/TiledRow.h"
#include "toolkit/Application.h"
#include "toolkit/Scoped.h"
#include "toolkit/Utilities.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <memory>
#include <vector>

using test_support::CMessageBoxCloser;
using namespace views_test;
using namespace test_support;

namespace
{
constexpr int RowWidth = 140;
constexpr WORD CtrlAltF21 = MAKEWORD(VK_F21, HOTKEYF_CONTROL | HOTKEYF_ALT);

const RECT BallArea = {6, 4, 16, 14};
const RECT MarkerArea = {RowWidth - 12, 2, RowWidth - 3, 11};

// One application category "Tools" on the host: the header at (0, 0), the first row below it.
class ApplicationViews : public CHostedViewsTest
{
protected:
    void SetUp() override
    {
        CHostedViewsTest::SetUp();
        if (HasFatalFailure())
            return;
        m_tools = AddHostedCategory(m_catalogue->m_applications, L"Tools", 0);
        ASSERT_NE(nullptr, m_tools);
        m_header = dynamic_cast<CApplicationCategoryWindow*>(m_tools->m_window.get());
        ASSERT_NE(nullptr, m_header);
        ParkCursor();
    }

    // Two moves: the display may still report where an earlier move left the pointer.
    void ParkCursor()
    {
        ASSERT_TRUE(MoveMouseTo(ScreenPoint(m_host->GetHwnd(), 310, 160), m_host->GetHwnd()));
        ASSERT_TRUE(MoveMouseTo(ScreenPoint(m_host->GetHwnd(), 300, 150), m_host->GetHwnd()));
    }

    CApplicationItem* AddApplication(const std::wstring& name, const std::wstring& path,
                                     const std::wstring& arguments = L"",
                                     const std::wstring& startIn = L"", WORD hotKey = 0)
    {
        return InsertRow(m_tools,
                         std::make_unique<CApplicationItem>(name, m_tools, path, arguments, startIn,
                                                            hotKey, m_host->GetHwnd()));
    }

    static CApplicationItemWindow* RowOf(CApplicationItem* item)
    {
        return dynamic_cast<CApplicationItemWindow*>(item->m_window.get());
    }

    void Drop(const std::vector<std::wstring>& paths, int line)
    {
        DropFiles(m_header->GetHwnd(), paths, line);
    }

    static void Click(HWND row, int x, int y)
    {
        SendMessageW(row, WM_LISTITEMCLICK, 0, MAKELPARAM(x, y));
    }

    CCategory* m_tools = nullptr;
    CApplicationCategoryWindow* m_header = nullptr;
};
} // namespace

TEST_F(ApplicationViews, BallShowsTheRunningStateOnTheTiles)
{
    CApplicationItem* item = AddApplication(L"Editor", L"C:\\ed.exe");
    ASSERT_NE(nullptr, item);
    const HWND row = item->m_window->GetHwnd();
    {
        const std::vector<COLORREF> expected =
            RowWithIcon(IDB_APPLICATION_ROW, IDI_NOT_RUNNING, 6, 4, 10);
        const std::vector<COLORREF> pixels = Capture(row);
        ExpectSameArea(expected, pixels, BallArea, __LINE__);
        ExpectSameArea(expected, pixels, RECT{0, 0, 6, RowHeight}, __LINE__);
        ExpectSameArea(expected, pixels, RECT{100, 0, RowWidth, RowHeight}, __LINE__);
    }
    item->m_running = true;
    ExpectSameArea(RowWithIcon(IDB_APPLICATION_ROW, IDI_RUNNING, 6, 4, 10), Capture(row), BallArea,
                   __LINE__);
}

TEST_F(ApplicationViews, BallTurnsHotUnderTheCursorAndBackWhenItLeaves)
{
    CApplicationItem* item = AddApplication(L"Editor", L"C:\\ed.exe");
    ASSERT_NE(nullptr, item);
    const HWND row = item->m_window->GetHwnd();
    item->m_running = true;
    ASSERT_TRUE(MoveMouseTo(ScreenPoint(row, 11, 9), row));
    UpdateWindow(row);
    ExpectSameArea(RowWithIcon(IDB_APPLICATION_ROW, IDI_RUNNING_HOT, 6, 4, 10), CaptureClient(row),
                   BallArea, __LINE__);
    // Still on the row, off the ball's zone.
    ASSERT_TRUE(MoveMouseTo(ScreenPoint(row, 17, 9), row));
    UpdateWindow(row);
    ExpectSameArea(RowWithIcon(IDB_APPLICATION_ROW, IDI_RUNNING, 6, 4, 10), CaptureClient(row),
                   BallArea, __LINE__);
    item->m_running = false;
    ASSERT_TRUE(MoveMouseTo(ScreenPoint(row, 16, 14), row));
    UpdateWindow(row);
    ExpectSameArea(RowWithIcon(IDB_APPLICATION_ROW, IDI_NOT_RUNNING_HOT, 6, 4, 10),
                   CaptureClient(row), BallArea, __LINE__);
}

TEST_F(ApplicationViews, HotkeyMarkerShowsWhetherTheHotkeyIsActiveAndTheTipWhyNot)
{
    CApplicationItem* plain = AddApplication(L"Plain", L"C:\\plain.exe");
    CApplicationItem* keyed = AddApplication(L"Keyed", L"C:\\keyed.exe", L"", L"", CtrlAltF21);
    CApplicationItem* blocked = AddApplication(L"Blocked", L"C:\\b.exe", L"", L"", CtrlAltF21);
    ASSERT_TRUE(plain && keyed && blocked);
    ASSERT_NE(-1, keyed->m_hotKeyId) << "the test's hotkey could not be registered";
    ASSERT_EQ(-1, blocked->m_hotKeyId);
    const std::vector<COLORREF> marker =
        RowWithIcon(IDB_APPLICATION_ROW, IDI_HOTKEY_MARKER, RowWidth - 12, 2, 9);
    ExpectSameArea(TiledRow(IDB_APPLICATION_ROW), Capture(plain->m_window->GetHwnd()), MarkerArea,
                   __LINE__);
    ExpectSameArea(marker, Capture(keyed->m_window->GetHwnd()), MarkerArea, __LINE__);
    const std::vector<COLORREF> crossed = Capture(blocked->m_window->GetHwnd());
    const std::vector<COLORREF> stroke(crossed.size(), CListItemWindow::InactiveHotkeyColour);
    EXPECT_LT(CountDifferences(stroke, crossed, MarkerArea), 81u - 9u)
        << "no stroke crosses the marker of a hotkey that is not active";
    EXPECT_GT(CountDifferences(marker, crossed, MarkerArea), 0u);

    // No tip for the names that fit, but one that says why the hotkey does nothing.
    std::wstring tip = L"sentinel";
    auto askTip = [&tip](CListItem& item)
    {
        static wchar_t sentinel[] = L"sentinel";
        NMTTDISPINFOW info = {};
        info.hdr.idFrom = reinterpret_cast<UINT_PTR>(item.m_window->GetHwnd());
        info.hdr.code = TTN_GETDISPINFOW;
        info.lpszText = sentinel;
        LRESULT result = 0;
        item.m_window->OnReflectNotify(&info.hdr, &result);
        tip = info.lpszText;
    };
    askTip(*keyed);
    EXPECT_EQ(L"sentinel", tip);
    askTip(*blocked);
    EXPECT_EQ(L"Shortcut key not active: \"Keyed\" in \"Tools\" holds it", tip);

    // Freed, the combination goes to the entry at the next retry, and its row shows it.
    m_tools->DeleteItem(L"Keyed");
    m_catalogue->RetryInactiveHotKeys();
    EXPECT_NE(-1, blocked->m_hotKeyId);
    ExpectSameArea(marker, Capture(blocked->m_window->GetHwnd()), MarkerArea, __LINE__);
    askTip(*blocked);
    EXPECT_EQ(L"sentinel", tip);
}

TEST_F(ApplicationViews, ShellIconOnlyWhileTheOptionIsOn)
{
    CApplicationItem* item = AddApplication(L"Editor", L"C:\\ed.exe");
    ASSERT_NE(nullptr, item);
    ASSERT_NE(CEntryItemWindow::NoIcon, RowOf(item)->m_iconIndex)
        << "the shell gave no icon for an .exe";
    const HWND row = item->m_window->GetHwnd();
    const RECT iconArea = {22, 2, 38, 18};
    m_mainWnd->m_settings.m_showApplicationIcons = false;
    const std::vector<COLORREF> without = Capture(row);
    m_mainWnd->m_settings.m_showApplicationIcons = true;
    const std::vector<COLORREF> with = Capture(row);
    const std::vector<COLORREF> bare = TiledRow(IDB_APPLICATION_ROW);
    // Without the icon the name starts at 22 and the tiles show up to there.
    ExpectSameArea(bare, without, RECT{17, 0, 22, RowHeight}, __LINE__);
    // With it, the name moves past 44 and the icon fills its square.
    ExpectSameArea(bare, with, RECT{38, 0, 44, RowHeight}, __LINE__);
    EXPECT_GT(CountDifferences(bare, with, iconArea), 40u)
        << "the icon square looks like bare tiles";
}

TEST_F(ApplicationViews, ClickLaunchesWithArgumentsInTheStartInFolder)
{
    CScratchFolder folder;
    const std::wstring startIn = folder.MakeFolder(L"start here");
    CApplicationItem* item = AddApplication(L"Recorder", CLaunchRecorder::ProgramPath(),
                                            L"alpha \"two words\"", startIn);
    ASSERT_NE(nullptr, item);
    item->m_running = true; // off the ball, a running program starts again
    CLaunchRecorder recorder;
    Click(item->m_window->GetHwnd(), 60, 11);
    ASSERT_TRUE(recorder.WaitForRecord()) << "the helper never wrote its record";
    const std::vector<std::wstring> expected = {L"alpha", L"two words"};
    EXPECT_EQ(expected, CommandLineArguments(recorder.m_commandLine))
        << "command line " << testing::PrintToString(recorder.m_commandLine);
    EXPECT_EQ(0, lstrcmpiW(startIn.c_str(), recorder.m_folder.c_str()))
        << "folder " << testing::PrintToString(recorder.m_folder);
    EXPECT_FALSE(IsIconic(m_mainWnd->GetHwnd())) << "hide after launch is off";
    PostMessageW(recorder.FindMainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, recorder.WaitForExit());
}

TEST_F(ApplicationViews, ClickWithHideAfterLaunchMinimisesTheMainWindow)
{
    m_mainWnd->m_settings.m_hideAfterLaunch = true;
    CApplicationItem* item = AddApplication(L"Recorder", CLaunchRecorder::ProgramPath());
    ASSERT_NE(nullptr, item);
    CLaunchRecorder recorder;
    // On the ball of a program that does not run: it starts.
    Click(item->m_window->GetHwnd(), 11, 9);
    ASSERT_TRUE(recorder.WaitForRecord()) << "the helper never wrote its record";
    EXPECT_TRUE(IsIconic(m_mainWnd->GetHwnd()));
    PostMessageW(recorder.FindMainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, recorder.WaitForExit());
}

TEST_F(ApplicationViews, ClickOnTheBallOfARunningProgramClosesIt)
{
    CLaunchRecorder recorder;
    ASSERT_TRUE(recorder.Start(L""));
    const HWND helper = recorder.FindMainWindow();
    ASSERT_NE(nullptr, helper);
    m_mainWnd->m_settings.m_hideAfterLaunch = true;
    CApplicationItem* item = AddApplication(L"Recorder", L"C:\\nowhere\\never.exe");
    ASSERT_NE(nullptr, item);
    item->m_running = true;
    item->m_processWindow = helper;
    Click(item->m_window->GetHwnd(), 16, 14);
    // Exit code 0: it ended through its close box, not by a bare WM_QUIT.
    EXPECT_EQ(0u, recorder.WaitForExit());
    EXPECT_FALSE(IsIconic(m_mainWnd->GetHwnd())) << "closing is no launch";
}

TEST_F(ApplicationViews, CloseIsDisabledButNotGreyedWhileNotRunning)
{
    const HMENU menu = LoadMenuW(CApplication::Instance().GetInstanceHandle(),
                                 MAKEINTRESOURCEW(IDM_APPLICATION_ITEM_MENU));
    ASSERT_NE(nullptr, menu);
    const HMENU popup = GetSubMenu(menu, 0);
    CApplicationItemWindow::PrepareContextMenu(popup, true);
    EXPECT_EQ(0u, GetMenuState(popup, ID_CLOSE, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED));
    CApplicationItemWindow::PrepareContextMenu(popup, false);
    const UINT state = GetMenuState(popup, ID_CLOSE, MF_BYCOMMAND);
    EXPECT_EQ(static_cast<UINT>(MF_DISABLED), state & (MF_DISABLED | MF_GRAYED))
        << "state " << std::hex << state;
    for (UINT other : {ID_LAUNCH, ID_EDIT, ID_DELETE, ID_PROPERTIES})
        EXPECT_EQ(0u, GetMenuState(popup, other, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED))
            << "command " << other;
    DestroyMenu(menu);
}

TEST_F(ApplicationViews, DeleteAsksFirstAndKeepsTheEntryOnNo)
{
    CApplicationItem* item = AddApplication(L"Editor", L"C:\\ed.exe");
    ASSERT_NE(nullptr, item);
    ExpectEntryKeptOnNo([item] { RowOf(item)->RunMenuCommand(ID_DELETE); }, item,
                        L"Delete application from the list?", __LINE__);
}

TEST_F(ApplicationViews, DroppedProgramBecomesAnEntryNamedAfterIt)
{
    CScratchFolder folder;
    const std::wstring program = folder.MakeFile(L"app.exe");
    const std::wstring second = folder.MakeFile(L"second.exe");
    CMessageBoxCloser closer;
    Drop({program, second}, __LINE__);
    EXPECT_TRUE(closer.m_texts.empty());
    ASSERT_EQ(1u, m_tools->m_items.size()) << "only the first file counts";
    const CListItem& added = *m_tools->m_items[0];
    EXPECT_EQ(L"app", added.GetName());
    EXPECT_EQ(program, added.GetPath());
    EXPECT_EQ(L"", added.GetArguments());
    EXPECT_EQ(L"", added.GetStartIn());
    EXPECT_EQ(0, added.GetHotKey());
    ASSERT_NE(nullptr, added.m_window);
    EXPECT_EQ(m_host->GetHwnd(), GetParent(added.m_window->GetHwnd()));
}

TEST_F(ApplicationViews, DroppedLinkAddsItsProgramUnderTheLinkName)
{
    CScratchFolder folder;
    const std::wstring target = folder.MakeFile(L"bin\\real.exe");
    const std::wstring work = folder.MakeFolder(L"work");
    const std::wstring link = folder / L"Editor.lnk";
    SaveShellLink(link, {target, L"-n \"a b\"", work, CtrlAltF21}, __LINE__);
    CMessageBoxCloser closer;
    Drop({link}, __LINE__);
    EXPECT_TRUE(closer.m_texts.empty());
    ASSERT_EQ(1u, m_tools->m_items.size());
    const CListItem& added = *m_tools->m_items[0];
    EXPECT_EQ(L"Editor", added.GetName());
    EXPECT_EQ(0, lstrcmpiW(target.c_str(), added.GetPath().c_str()))
        << "path " << testing::PrintToString(added.GetPath());
    EXPECT_EQ(L"-n \"a b\"", added.GetArguments());
    EXPECT_EQ(0, lstrcmpiW(work.c_str(), added.GetStartIn().c_str()))
        << "start in " << testing::PrintToString(added.GetStartIn());
    EXPECT_EQ(CtrlAltF21, added.GetHotKey());

    // A second link with that hotkey is added without it, and the user learns who has it.
    const std::wstring other = folder / L"Other.lnk";
    SaveShellLink(other, {target, L"", work, CtrlAltF21}, __LINE__);
    Drop({other}, __LINE__);
    const int index = m_tools->FindItemIndex(L"Other");
    ASSERT_NE(-1, index);
    EXPECT_EQ(0, m_tools->m_items[static_cast<size_t>(index)]->GetHotKey());
    EXPECT_EQ(CtrlAltF21, m_tools->m_items[static_cast<size_t>(1 - index)]->GetHotKey());
    EXPECT_EQ((std::vector<std::wstring>{L"The link's shortcut key is already used by \"Editor\" "
                                         L"in \"Tools\". The entry was added without it."}),
              closer.m_texts);
}

TEST_F(ApplicationViews, DroppedTextFileOrLinkToAFolderIsRefused)
{
    CScratchFolder folder;
    const std::wstring text = folder.MakeFile(L"notes.txt");
    const std::wstring link = folder / L"Place.lnk";
    SaveShellLink(link, {folder.MakeFolder(L"place"), L"", L"", 0}, __LINE__);
    CMessageBoxCloser closer;
    Drop({text}, __LINE__);
    Drop({link}, __LINE__);
    ASSERT_EQ(2u, closer.m_texts.size());
    for (size_t i = 0; i < 2; ++i)
    {
        EXPECT_EQ(LoadResString(IDS_ONLY_EXE_FILES), closer.m_texts[i]);
        EXPECT_EQ(L"Pathmoor", closer.m_captions[i]);
    }
    EXPECT_TRUE(m_tools->m_items.empty());
}

TEST_F(ApplicationViews, DroppedPathLongerThanMaxPathArrivesWhole)
{
    const std::wstring path =
        L"C:\\" + std::wstring(150, L'a') + L"\\" + std::wstring(150, L'b') + L"\\long name.exe";
    ASSERT_GT(path.size(), static_cast<size_t>(MAX_PATH));
    CMessageBoxCloser closer;
    Drop({path}, __LINE__);
    EXPECT_TRUE(closer.m_texts.empty());
    ASSERT_EQ(1u, m_tools->m_items.size());
    EXPECT_EQ(L"long name", m_tools->m_items[0]->GetName());
    EXPECT_EQ(path, m_tools->m_items[0]->GetPath());
}

// Without its extension it would have no name, and no key of its own in the store.
TEST_F(ApplicationViews, DroppedFileNamedOnlyByItsExtensionKeepsItsWholeName)
{
    CMessageBoxCloser closer;
    Drop({L"C:\\new\\.exe"}, __LINE__);
    EXPECT_TRUE(closer.m_texts.empty());
    ASSERT_EQ(1u, m_tools->m_items.size());
    EXPECT_EQ(L".exe", m_tools->m_items[0]->GetName());
}

TEST_F(ApplicationViews, DroppedDuplicateNameIsRefused)
{
    ASSERT_NE(nullptr, AddApplication(L"App", L"C:\\old\\app.exe"));
    CMessageBoxCloser closer;
    Drop({L"C:\\new\\app.exe"}, __LINE__);
    ASSERT_EQ(1u, closer.m_texts.size());
    EXPECT_EQ(LoadResString(IDS_ITEM_EXISTS), closer.m_texts[0]);
    ASSERT_EQ(1u, m_tools->m_items.size());
    EXPECT_EQ(L"C:\\old\\app.exe", m_tools->m_items[0]->GetPath());
}

TEST_F(ApplicationViews, LaunchAllOfAnEmptyCategoryStillMinimises)
{
    m_mainWnd->m_settings.m_hideAfterLaunch = true;
    m_header->RunMenuCommand(ID_LAUNCH);
    EXPECT_TRUE(IsIconic(m_mainWnd->GetHwnd()));
}

TEST_F(ApplicationViews, DeleteCategoryAsksFirstAndKeepsItOnNo)
{
    ExpectCategoryKeptOnNo(*m_header, m_catalogue->m_applications, L"Tools", __LINE__);
}

namespace
{
BOOL CALLBACK CollectRecorderWindow(HWND window, LPARAM found)
{
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (lstrcmpW(className, L"LaunchRecorderWindow") == 0)
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

std::vector<HWND> RecorderWindows()
{
    std::vector<HWND> found;
    EnumWindows(CollectRecorderWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}
} // namespace

TEST_F(ApplicationViews, LaunchAllStartsEveryEntryWhateverRunsThenMinimises)
{
    m_mainWnd->m_settings.m_hideAfterLaunch = true;
    ASSERT_NE(nullptr, AddApplication(L"First", CLaunchRecorder::ProgramPath(), L"one"));
    CApplicationItem* second = AddApplication(L"Second", CLaunchRecorder::ProgramPath(), L"two");
    ASSERT_NE(nullptr, second);
    second->m_running = true;
    CLaunchRecorder recorder;
    m_header->RunMenuCommand(ID_LAUNCH);
    std::vector<HWND> started;
    EXPECT_TRUE(PumpUntil([&] { return (started = RecorderWindows()).size() == 2; }))
        << started.size() << " of the two entries started";
    EXPECT_TRUE(IsIconic(m_mainWnd->GetHwnd()));
    for (HWND window : started)
        PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([] { return RecorderWindows().empty(); }));
}
