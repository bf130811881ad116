#include "views/ApplicationCategoryWindow.h"
#include "views/ApplicationItemWindow.h"

#include "catalogue/ApplicationItem.h"
#include "catalogue/Catalogue.h"
#include "resources/resource.h"
#include "tests/unit/catalogue/MainWindowTest.h"
#include "tests/unit/catalogue/MessageBoxCloser.h"
#include "tests/unit/views/HostWindow.h"
#include "tests/unit/views/InputDriver.h"
#include "tests/unit/views/LaunchRecorder.h"
#include "tests/unit/views/ScratchFolder.h"
#include "toolkit/Application.h"
#include "toolkit/Scoped.h"
#include "toolkit/Utilities.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <memory>
#include <vector>

using catalogue_test::CMainWindowTest;
using catalogue_test::CMessageBoxCloser;
using namespace views_test;

namespace
{
constexpr int RowWidth = 140;
constexpr int RowHeight = 22;
constexpr WORD CtrlAltF21 = MAKEWORD(VK_F21, HOTKEYF_CONTROL | HOTKEYF_ALT);

// A 140 x 22 picture of the row as it should look: the tiles of bitmap 501 with the given
// icons drawn at their own size.
class CReferenceRow
{
public:
    CReferenceRow() : m_dc(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = RowWidth;
        info.bmiHeader.biHeight = -RowHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
        const HBITMAP tile = LoadBitmapW(CApplication::Instance().GetInstanceHandle(),
                                         MAKEINTRESOURCEW(IDB_APPLICATION_ROW));
        for (int x = 0; x < RowWidth; x += 20)
            DrawStateW(m_dc, nullptr, nullptr, reinterpret_cast<LPARAM>(tile), 0, x, 0, 20,
                       RowHeight, DST_BITMAP);
        DeleteObject(tile);
    }
    ~CReferenceRow()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    CReferenceRow(const CReferenceRow&) = delete;
    CReferenceRow& operator=(const CReferenceRow&) = delete;

    void DrawIcon(UINT id, int x, int y, int size)
    {
        const auto icon =
            static_cast<HICON>(LoadImageW(CApplication::Instance().GetInstanceHandle(),
                                          MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_SHARED));
        ASSERT_NE(nullptr, icon) << "icon " << id;
        DrawIconEx(m_dc, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
    }
    COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }

private:
    HDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};

// Compares a rectangle of the captured row with the reference, naming the first mismatch.
void ExpectSameArea(const CReferenceRow& expected, const std::vector<COLORREF>& actual,
                    const RECT& area, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    ASSERT_EQ(static_cast<size_t>(RowWidth * RowHeight), actual.size());
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (expected.At(x, y) != actual[y * RowWidth + x])
            {
                ADD_FAILURE() << "pixel (" << x << ", " << y << "): expected " << std::hex
                              << expected.At(x, y) << ", actual " << actual[y * RowWidth + x];
                return;
            }
}

const RECT BallArea = {6, 4, 16, 14};
const RECT MarkerArea = {RowWidth - 12, 2, RowWidth - 3, 11};

// An HDROP as the shell hands it over, with the paths one after the other.
HDROP MakeDrop(const std::vector<std::wstring>& paths)
{
    size_t characters = 1;
    for (const auto& path : paths)
        characters += path.size() + 1;
    const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + characters * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* names = reinterpret_cast<wchar_t*>(header + 1);
    for (const auto& path : paths)
    {
        std::copy(path.begin(), path.end(), names);
        names += path.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

void SaveLink(const std::wstring& linkPath, const std::wstring& target,
              const std::wstring& arguments, const std::wstring& folder, WORD hotKey, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    CComPtr<IShellLinkW> link;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IShellLinkW, reinterpret_cast<void**>(&link)));
    ASSERT_TRUE(SUCCEEDED(link->SetPath(target.c_str())));
    ASSERT_EQ(S_OK, link->SetArguments(arguments.c_str()));
    ASSERT_EQ(S_OK, link->SetWorkingDirectory(folder.c_str()));
    ASSERT_EQ(S_OK, link->SetHotkey(hotKey));
    CComPtr<IPersistFile> file;
    ASSERT_EQ(S_OK, link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
    ASSERT_EQ(S_OK, file->Save(linkPath.c_str(), TRUE));
}

// The main window's catalogue with one application category "Tools" whose header and rows
// live on a host window of the test: the header at (0, 0), the first row below it.
class ApplicationViews : public CMainWindowTest
{
protected:
    void SetUp() override
    {
        CMainWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        CListItemWindow::s_buttonDown = false;
        m_host = std::make_unique<CHostWindow>(RECT{100, 100, 600, 400});
        CCategorizedList& list = m_catalogue->m_applications;
        const HWND page = list.m_parentWindow;
        list.m_parentWindow = m_host->GetHwnd();
        m_tools = list.AddCategory(L"Tools");
        list.m_parentWindow = page;
        ASSERT_NE(nullptr, m_tools);
        m_header = dynamic_cast<CApplicationCategoryWindow*>(m_tools->m_window.get());
        ASSERT_NE(nullptr, m_header);
        PlaceWindow(m_header->GetHwnd(), 0, 0);
        ParkCursor();
    }

    void TearDown() override
    {
        m_host.reset();
        CMainWindowTest::TearDown();
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
        auto item = std::make_unique<CApplicationItem>(name, m_tools, path, arguments, startIn,
                                                       hotKey, m_host->GetHwnd());
        CApplicationItem* raw = item.get();
        if (!m_tools->InsertItem(std::move(item)))
            return nullptr;
        PlaceWindow(raw->m_window->GetHwnd(), 0,
                    RowHeight * static_cast<int>(m_tools->m_items.size()));
        return raw;
    }

    static CApplicationItemWindow* RowOf(CApplicationItem* item)
    {
        return dynamic_cast<CApplicationItemWindow*>(item->m_window.get());
    }

    static std::vector<COLORREF> Capture(HWND row)
    {
        InvalidateRect(row, nullptr, FALSE);
        UpdateWindow(row);
        return CaptureClient(row);
    }

    void Drop(const std::vector<std::wstring>& paths)
    {
        SendMessageW(m_header->GetHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)),
                     0);
    }

    static void Click(HWND row, int x, int y)
    {
        SendMessageW(row, WM_LISTITEMCLICK, 0, MAKELPARAM(x, y));
    }

    std::unique_ptr<CHostWindow> m_host;
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
        CReferenceRow expected;
        expected.DrawIcon(IDI_NOT_RUNNING, 6, 4, 10);
        const std::vector<COLORREF> pixels = Capture(row);
        ExpectSameArea(expected, pixels, BallArea, __LINE__);
        ExpectSameArea(expected, pixels, RECT{0, 0, 6, RowHeight}, __LINE__);
        ExpectSameArea(expected, pixels, RECT{100, 0, RowWidth, RowHeight}, __LINE__);
    }
    item->m_running = true;
    CReferenceRow expected;
    expected.DrawIcon(IDI_RUNNING, 6, 4, 10);
    ExpectSameArea(expected, Capture(row), BallArea, __LINE__);
}

TEST_F(ApplicationViews, BallTurnsHotUnderTheCursorAndBackWhenItLeaves)
{
    CApplicationItem* item = AddApplication(L"Editor", L"C:\\ed.exe");
    ASSERT_NE(nullptr, item);
    const HWND row = item->m_window->GetHwnd();
    item->m_running = true;
    ASSERT_TRUE(MoveMouseTo(ScreenPoint(row, 11, 9), row));
    UpdateWindow(row);
    {
        CReferenceRow expected;
        expected.DrawIcon(IDI_RUNNING_HOT, 6, 4, 10);
        ExpectSameArea(expected, CaptureClient(row), BallArea, __LINE__);
    }
    // Still on the row, off the ball's zone.
    ASSERT_TRUE(MoveMouseTo(ScreenPoint(row, 17, 9), row));
    UpdateWindow(row);
    CReferenceRow expected;
    expected.DrawIcon(IDI_RUNNING, 6, 4, 10);
    ExpectSameArea(expected, CaptureClient(row), BallArea, __LINE__);
    item->m_running = false;
    ASSERT_TRUE(MoveMouseTo(ScreenPoint(row, 16, 14), row));
    UpdateWindow(row);
    CReferenceRow notRunning;
    notRunning.DrawIcon(IDI_NOT_RUNNING_HOT, 6, 4, 10);
    ExpectSameArea(notRunning, CaptureClient(row), BallArea, __LINE__);
}

TEST_F(ApplicationViews, HotkeyMarkerOnlyWithARegisteredHotkey)
{
    CApplicationItem* plain = AddApplication(L"Plain", L"C:\\plain.exe");
    CApplicationItem* keyed = AddApplication(L"Keyed", L"C:\\keyed.exe", L"", L"", CtrlAltF21);
    ASSERT_NE(nullptr, plain);
    ASSERT_NE(nullptr, keyed);
    ASSERT_NE(-1, keyed->m_hotKeyId) << "the test's hotkey could not be registered";
    CReferenceRow bare;
    ExpectSameArea(bare, Capture(plain->m_window->GetHwnd()), MarkerArea, __LINE__);
    CReferenceRow marked;
    marked.DrawIcon(IDI_HOTKEY_MARKER, RowWidth - 12, 2, 9);
    ExpectSameArea(marked, Capture(keyed->m_window->GetHwnd()), MarkerArea, __LINE__);
}

TEST_F(ApplicationViews, ShellIconOnlyWhileTheOptionIsOn)
{
    CApplicationItem* item = AddApplication(L"Editor", L"C:\\ed.exe");
    ASSERT_NE(nullptr, item);
    ASSERT_NE(nullptr, RowOf(item)->m_fileIcon.Get()) << "the shell gave no icon for an .exe";
    const HWND row = item->m_window->GetHwnd();
    const RECT iconArea = {22, 2, 38, 18};
    m_mainWnd->m_settings.m_showApplicationIcons = false;
    const std::vector<COLORREF> without = Capture(row);
    m_mainWnd->m_settings.m_showApplicationIcons = true;
    const std::vector<COLORREF> with = Capture(row);
    CReferenceRow bare;
    // Without the icon the name starts at 22 and the tiles show up to there.
    ExpectSameArea(bare, without, RECT{17, 0, 22, RowHeight}, __LINE__);
    // With it, the name moves past 44 and the icon fills its square.
    ExpectSameArea(bare, with, RECT{38, 0, 44, RowHeight}, __LINE__);
    size_t differing = 0;
    for (int y = iconArea.top; y < iconArea.bottom; ++y)
        for (int x = iconArea.left; x < iconArea.right; ++x)
            differing += with[y * RowWidth + x] != bare.At(x, y) ? 1 : 0;
    EXPECT_GT(differing, 40u) << "the icon square looks like bare tiles";
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
    CMessageBoxCloser closer;
    RowOf(item)->RunMenuCommand(ID_DELETE);
    ASSERT_EQ(1u, closer.m_texts.size());
    EXPECT_EQ(L"Delete application from the list?", closer.m_texts[0]);
    EXPECT_EQ(L"Pathmoor", closer.m_captions[0]);
    ASSERT_EQ(1u, m_tools->m_items.size());
    EXPECT_EQ(item, m_tools->m_items[0].get());
}

TEST_F(ApplicationViews, DroppedProgramBecomesAnEntryNamedAfterIt)
{
    CScratchFolder folder;
    const std::wstring program = folder.MakeFile(L"app.exe");
    const std::wstring second = folder.MakeFile(L"second.exe");
    CMessageBoxCloser closer;
    Drop({program, second});
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
    SaveLink(link, target, L"-n \"a b\"", work, CtrlAltF21, __LINE__);
    CMessageBoxCloser closer;
    Drop({link});
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
}

TEST_F(ApplicationViews, DroppedTextFileOrLinkToAFolderIsRefused)
{
    CScratchFolder folder;
    const std::wstring text = folder.MakeFile(L"notes.txt");
    const std::wstring link = folder / L"Place.lnk";
    SaveLink(link, folder.MakeFolder(L"place"), L"", L"", 0, __LINE__);
    CMessageBoxCloser closer;
    Drop({text});
    Drop({link});
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
    Drop({path});
    EXPECT_TRUE(closer.m_texts.empty());
    ASSERT_EQ(1u, m_tools->m_items.size());
    EXPECT_EQ(L"long name", m_tools->m_items[0]->GetName());
    EXPECT_EQ(path, m_tools->m_items[0]->GetPath());
}

TEST_F(ApplicationViews, DroppedDuplicateNameIsRefused)
{
    ASSERT_NE(nullptr, AddApplication(L"App", L"C:\\old\\app.exe"));
    CMessageBoxCloser closer;
    Drop({L"C:\\new\\app.exe"});
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
    CMessageBoxCloser closer;
    m_header->RunMenuCommand(ID_DELETE);
    ASSERT_EQ(1u, closer.m_texts.size());
    EXPECT_EQ(LoadResString(IDS_DELETE_CATEGORY_PROMPT), closer.m_texts[0]);
    EXPECT_NE(nullptr, m_catalogue->m_applications.FindCategory(L"Tools"));
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
