#include "views/ShortcutCategoryWindow.h"
#include "views/ShortcutItemWindow.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ShortcutItem.h"
#include "resources/resource.h"
#include "shell/Clipboard.h"
#include "tests/support/unit/MainWindowTest.h"
#include "tests/support/unit/MessageBoxCloser.h"
#include "tests/support/unit/ShellTestSupport.h"
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
#include <ole2.h>

#include <memory>
#include <vector>

using test_support::CMessageBoxCloser;
using namespace views_test;
using namespace test_support;

namespace
{
constexpr int RowWidth = 140;
constexpr WORD CtrlAltF22 = MAKEWORD(VK_F22, HOTKEYF_CONTROL | HOTKEYF_ALT);

// The file drop list on the clipboard, read as a paste target reads it.
std::vector<std::wstring> ClipboardFiles()
{
    CComPtr<IDataObject> data;
    if (FAILED(OleGetClipboard(&data)))
        return {L"<no clipboard object>"};
    FORMATETC format = test_support::DropListFormat();
    STGMEDIUM medium = {};
    if (FAILED(data->GetData(&format, &medium)))
        return {L"<no drop list>"};
    std::vector<std::wstring> paths = test_support::DropListPaths(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return paths;
}

// Two shortcut categories on the host: "Links" at (0, 0) with its rows below
// it, "More" in a column of its own.
class ShortcutViews : public CHostedViewsTest
{
protected:
    void SetUp() override
    {
        CHostedViewsTest::SetUp();
        if (HasFatalFailure())
            return;
        m_links = AddHostedCategory(m_catalogue->m_shortcuts, L"Links", 0);
        m_more = AddHostedCategory(m_catalogue->m_shortcuts, L"More", 200);
        ASSERT_NE(nullptr, m_links);
        ASSERT_NE(nullptr, m_more);
        m_header = dynamic_cast<CShortcutCategoryWindow*>(m_links->m_window.get());
        ASSERT_NE(nullptr, m_header);
    }

    CShortcutItem* AddShortcut(const std::wstring& name, const std::wstring& path,
                               const std::wstring& arguments = L"",
                               const std::wstring& startIn = L"", WORD hotKey = 0)
    {
        return InsertRow(m_links,
                         std::make_unique<CShortcutItem>(name, m_links, path, arguments, startIn,
                                                         hotKey, m_host->GetHwnd()));
    }

    static CShortcutItemWindow* RowOf(CListItem* item)
    {
        return dynamic_cast<CShortcutItemWindow*>(item->m_window.get());
    }

    void Drop(const std::vector<std::wstring>& paths, int line)
    {
        DropFiles(m_header->GetHwnd(), paths, line);
    }

    // The one entry the category should hold after a drop; null, with a failure,
    // otherwise.
    const CListItem* OnlyEntry(int line) const
    {
        SCOPED_TRACE(testing::Message() << "called from line " << line);
        EXPECT_EQ(1u, m_links->m_items.size());
        return m_links->m_items.size() == 1 ? m_links->m_items[0].get() : nullptr;
    }

    CCategory* m_links = nullptr;
    CCategory* m_more = nullptr;
    CShortcutCategoryWindow* m_header = nullptr;
};
} // namespace

TEST_F(ShortcutViews, NameStartsAfterTheShellIconOnlyWhileTheOptionIsOn)
{
    CShortcutItem* item = AddShortcut(L"Recorder", CLaunchRecorder::ProgramPath());
    ASSERT_NE(nullptr, item);
    ASSERT_NE(CEntryItemWindow::NoIcon, RowOf(item)->m_iconIndex)
        << "the shell gave no icon for a program";
    const HWND row = item->m_window->GetHwnd();
    const RECT iconArea = {12, 2, 28, 18};
    const std::vector<COLORREF> bare = TiledRow(IDB_SHORTCUT_ROW);
    m_mainWnd->m_settings.m_showShortcutIcons = false;
    const std::vector<COLORREF> without = Capture(row);
    // Only tiles up to where the name starts, at 12.
    ExpectSameArea(bare, without, RECT{0, 0, 12, RowHeight}, __LINE__);
    EXPECT_GT(CountDifferences(bare, without, RECT{12, 0, 20, RowHeight}), 0u)
        << "no name drawn from 12";
    m_mainWnd->m_settings.m_showShortcutIcons = true;
    const std::vector<COLORREF> with = Capture(row);
    EXPECT_GT(CountDifferences(bare, with, iconArea), 40u) << "the icon square shows bare tiles";
    // The name moves to 34, leaving tiles between the icon and the name.
    ExpectSameArea(bare, with, RECT{0, 0, 12, RowHeight}, __LINE__);
    ExpectSameArea(bare, with, RECT{28, 0, 34, RowHeight}, __LINE__);
}

TEST_F(ShortcutViews, MissingFileHasNoIconAndTheNameStartsAtEighteen)
{
    CShortcutItem* item = AddShortcut(L"Gone", L"C:\\nowhere\\gone.txt");
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(CEntryItemWindow::NoIcon, RowOf(item)->m_iconIndex)
        << "an icon for a file that is not there";
    m_mainWnd->m_settings.m_showShortcutIcons = true;
    const std::vector<COLORREF> pixels = Capture(item->m_window->GetHwnd());
    const std::vector<COLORREF> bare = TiledRow(IDB_SHORTCUT_ROW);
    ExpectSameArea(bare, pixels, RECT{0, 0, 18, RowHeight}, __LINE__);
    EXPECT_GT(CountDifferences(bare, pixels, RECT{18, 0, 26, RowHeight}), 0u)
        << "no name drawn from 18";
}

TEST_F(ShortcutViews, HotkeyMarkerOnlyWithARegisteredHotkey)
{
    CShortcutItem* plain = AddShortcut(L"Plain", L"C:\\plain.txt");
    CShortcutItem* keyed = AddShortcut(L"Keyed", L"C:\\keyed.txt", L"", L"", CtrlAltF22);
    ASSERT_NE(nullptr, plain);
    ASSERT_NE(nullptr, keyed);
    ASSERT_NE(-1, keyed->m_hotKeyId) << "the test's hotkey could not be registered";
    const RECT markerArea = {RowWidth - 12, 2, RowWidth - 3, 11};
    const std::vector<COLORREF> bare = TiledRow(IDB_SHORTCUT_ROW);
    ExpectSameArea(bare, Capture(plain->m_window->GetHwnd()), markerArea, __LINE__);
    ExpectSameArea(RowWithIcon(IDB_SHORTCUT_ROW, IDI_HOTKEY_MARKER, RowWidth - 12, 2, 9),
                   Capture(keyed->m_window->GetHwnd()), markerArea, __LINE__);
}

TEST_F(ShortcutViews, ClickOpensWithArgumentsInTheStartInFolderAndNeverMinimises)
{
    m_mainWnd->m_settings.m_hideAfterLaunch = true;
    CScratchFolder folder;
    const std::wstring startIn = folder.MakeFolder(L"start here");
    CShortcutItem* item =
        AddShortcut(L"Recorder", CLaunchRecorder::ProgramPath(), L"alpha \"two words\"", startIn);
    ASSERT_NE(nullptr, item);
    CLaunchRecorder recorder;
    SendMessageW(item->m_window->GetHwnd(), WM_LISTITEMCLICK, 0, MAKELPARAM(60, 11));
    ASSERT_TRUE(recorder.WaitForRecord()) << "the helper never wrote its record";
    const std::vector<std::wstring> expected = {L"alpha", L"two words"};
    EXPECT_EQ(expected, CommandLineArguments(recorder.m_commandLine))
        << "command line " << testing::PrintToString(recorder.m_commandLine);
    EXPECT_EQ(0, lstrcmpiW(startIn.c_str(), recorder.m_folder.c_str()))
        << "folder " << testing::PrintToString(recorder.m_folder);
    EXPECT_FALSE(IsIconic(m_mainWnd->GetHwnd())) << "a shortcut click hid the window";
}

TEST_F(ShortcutViews, LaunchCommandNeverMinimises)
{
    m_mainWnd->m_settings.m_hideAfterLaunch = true;
    CShortcutItem* item = AddShortcut(L"Recorder", CLaunchRecorder::ProgramPath(), L"menu");
    ASSERT_NE(nullptr, item);
    CLaunchRecorder recorder;
    RowOf(item)->RunMenuCommand(ID_LAUNCH);
    ASSERT_TRUE(recorder.WaitForRecord()) << "the helper never wrote its record";
    EXPECT_EQ(std::vector<std::wstring>{L"menu"}, CommandLineArguments(recorder.m_commandLine));
    EXPECT_FALSE(IsIconic(m_mainWnd->GetHwnd()));
}

TEST_F(ShortcutViews, LaunchAllGoesOnPastAFailureThenMinimises)
{
    m_mainWnd->m_settings.m_hideAfterLaunch = true;
    // "Alpha" comes first in the category and cannot be opened.
    ASSERT_NE(nullptr, AddShortcut(L"Alpha", L"C:\\nowhere\\missing.exe"));
    ASSERT_NE(nullptr, AddShortcut(L"Beta", CLaunchRecorder::ProgramPath(), L"second"));
    CLaunchRecorder recorder;
    const HWND main = m_mainWnd->GetHwnd();
    m_header->RunMenuCommand(ID_LAUNCH);
    ASSERT_TRUE(recorder.WaitForRecord()) << "the entry after the failed one did not start";
    EXPECT_EQ(std::vector<std::wstring>{L"second"}, CommandLineArguments(recorder.m_commandLine));
    EXPECT_TRUE(IsIconic(main));
}

TEST_F(ShortcutViews, LaunchAllOfAnEmptyCategoryStillMinimises)
{
    m_mainWnd->m_settings.m_hideAfterLaunch = true;
    m_header->RunMenuCommand(ID_LAUNCH);
    EXPECT_TRUE(IsIconic(m_mainWnd->GetHwnd()));
}

TEST_F(ShortcutViews, CopyPutsExactlyTheEntryPathOnTheClipboard)
{
    CShortcutItem* item = AddShortcut(L"Report", L"C:\\docs\\report.pdf");
    ASSERT_NE(nullptr, item);
    RowOf(item)->RunMenuCommand(ID_COPY);
    EXPECT_EQ(std::vector<std::wstring>{L"C:\\docs\\report.pdf"}, ClipboardFiles());
}

TEST_F(ShortcutViews, CopyPutsAPathLongerThanMaxPathOnTheClipboardWhole)
{
    const std::wstring path =
        L"C:\\" + std::wstring(150, L'a') + L"\\" + std::wstring(150, L'b') + L"\\long name.txt";
    ASSERT_GT(path.size(), static_cast<size_t>(MAX_PATH));
    CShortcutItem* item = AddShortcut(L"Long", path);
    ASSERT_NE(nullptr, item);
    RowOf(item)->RunMenuCommand(ID_COPY);
    EXPECT_EQ(std::vector<std::wstring>{path}, ClipboardFiles());
}

TEST_F(ShortcutViews, DeleteAsksFirstAndKeepsTheEntryOnNo)
{
    CShortcutItem* item = AddShortcut(L"Report", L"C:\\report.pdf");
    ASSERT_NE(nullptr, item);
    ExpectEntryKeptOnNo([item] { RowOf(item)->RunMenuCommand(ID_DELETE); }, item,
                        L"Delete shortcut from the list?", __LINE__);
}

TEST_F(ShortcutViews, DroppedDocumentKeepsItsExtensionAndOnlyTheFirstFileCounts)
{
    CScratchFolder folder;
    const std::wstring report = folder.MakeFile(L"report.pdf");
    const std::wstring second = folder.MakeFile(L"second.txt");
    CMessageBoxCloser closer;
    Drop({report, second}, __LINE__);
    EXPECT_TRUE(closer.m_texts.empty());
    const CListItem* added = OnlyEntry(__LINE__);
    ASSERT_NE(nullptr, added);
    EXPECT_EQ(L"report.pdf", added->GetName());
    EXPECT_EQ(report, added->GetPath());
    EXPECT_EQ(L"", added->GetArguments());
    EXPECT_EQ(L"", added->GetStartIn());
    EXPECT_EQ(0, added->GetHotKey());
    ASSERT_NE(nullptr, added->m_window);
    EXPECT_EQ(m_host->GetHwnd(), GetParent(added->m_window->GetHwnd()));
}

TEST_F(ShortcutViews, DroppedFolderIsNamedAfterIt)
{
    CScratchFolder folder;
    const std::wstring place = folder.MakeFolder(L"My.Place");
    Drop({place}, __LINE__);
    const CListItem* added = OnlyEntry(__LINE__);
    ASSERT_NE(nullptr, added);
    EXPECT_EQ(L"My.Place", added->GetName());
    EXPECT_EQ(place, added->GetPath());
}

TEST_F(ShortcutViews, DroppedFolderWithClosingBackslashKeepsItsName)
{
    Drop({L"C:\\windows\\"}, __LINE__);
    const CListItem* added = OnlyEntry(__LINE__);
    ASSERT_NE(nullptr, added);
    EXPECT_EQ(L"windows", added->GetName());
}

TEST_F(ShortcutViews, DroppedDriveIsNamedByItsDrive)
{
    Drop({L"C:\\"}, __LINE__);
    const CListItem* added = OnlyEntry(__LINE__);
    ASSERT_NE(nullptr, added);
    EXPECT_EQ(L"C:", added->GetName());
    EXPECT_EQ(L"C:\\", added->GetPath());
}

TEST_F(ShortcutViews, DroppedLinkAddsItsTargetUnderTheLinkName)
{
    CScratchFolder folder;
    const std::wstring target = folder.MakeFile(L"docs\\notes.txt");
    const std::wstring work = folder.MakeFolder(L"work");
    const std::wstring link = folder / L"Notes.LNK";
    SaveShellLink(link, {target, L"-n \"a b\"", work, CtrlAltF22}, __LINE__);
    CMessageBoxCloser closer;
    Drop({link}, __LINE__);
    EXPECT_TRUE(closer.m_texts.empty());
    const CListItem* added = OnlyEntry(__LINE__);
    ASSERT_NE(nullptr, added);
    EXPECT_EQ(L"Notes", added->GetName());
    EXPECT_EQ(0, lstrcmpiW(target.c_str(), added->GetPath().c_str()))
        << "path " << testing::PrintToString(added->GetPath());
    EXPECT_EQ(L"-n \"a b\"", added->GetArguments());
    EXPECT_EQ(0, lstrcmpiW(work.c_str(), added->GetStartIn().c_str()))
        << "start in " << testing::PrintToString(added->GetStartIn());
    EXPECT_EQ(CtrlAltF22, added->GetHotKey());
}

TEST_F(ShortcutViews, DroppedLinkNamedOnlyLnkKeepsThatName)
{
    CScratchFolder folder;
    const std::wstring target = folder.MakeFile(L"a.txt");
    const std::wstring link = folder / L".lnk";
    SaveShellLink(link, {target, L"", L"", 0}, __LINE__);
    Drop({link}, __LINE__);
    const CListItem* added = OnlyEntry(__LINE__);
    ASSERT_NE(nullptr, added);
    EXPECT_EQ(L".lnk", added->GetName());
    EXPECT_EQ(0, lstrcmpiW(target.c_str(), added->GetPath().c_str()))
        << "path " << testing::PrintToString(added->GetPath());
}

TEST_F(ShortcutViews, DroppedPathLongerThanMaxPathArrivesWhole)
{
    const std::wstring path =
        L"C:\\" + std::wstring(150, L'a') + L"\\" + std::wstring(150, L'b') + L"\\long name.txt";
    ASSERT_GT(path.size(), static_cast<size_t>(MAX_PATH));
    CMessageBoxCloser closer;
    Drop({path}, __LINE__);
    EXPECT_TRUE(closer.m_texts.empty());
    const CListItem* added = OnlyEntry(__LINE__);
    ASSERT_NE(nullptr, added);
    EXPECT_EQ(L"long name.txt", added->GetName());
    EXPECT_EQ(path, added->GetPath());
}

TEST_F(ShortcutViews, DroppedExtensionLongerThanNineteenCharactersIsKept)
{
    const std::wstring path = L"C:\\data\\archive." + std::wstring(40, L'x');
    Drop({path}, __LINE__);
    const CListItem* added = OnlyEntry(__LINE__);
    ASSERT_NE(nullptr, added);
    EXPECT_EQ(L"archive." + std::wstring(40, L'x'), added->GetName());
    EXPECT_EQ(path, added->GetPath());
}

TEST_F(ShortcutViews, DroppedDuplicateNameIsRefused)
{
    ASSERT_NE(nullptr, AddShortcut(L"report.pdf", L"C:\\old\\report.pdf"));
    CMessageBoxCloser closer;
    Drop({L"C:\\new\\report.pdf"}, __LINE__);
    ASSERT_EQ(1u, closer.m_texts.size());
    EXPECT_EQ(LoadResString(IDS_ITEM_EXISTS), closer.m_texts[0]);
    const CListItem* kept = OnlyEntry(__LINE__);
    ASSERT_NE(nullptr, kept);
    EXPECT_EQ(L"C:\\old\\report.pdf", kept->GetPath());
}

TEST_F(ShortcutViews, RowDraggedToAnotherCategoryKeepsItsHotkey)
{
    CShortcutItem* item = AddShortcut(L"Keyed", L"C:\\keyed.txt", L"-k", L"C:\\", CtrlAltF22);
    ASSERT_NE(nullptr, item);
    ASSERT_NE(-1, item->m_hotKeyId) << "the test's hotkey could not be registered";
    CMessageBoxCloser closer;
    SendMessageW(m_more->m_window->GetHwnd(), WM_LISTITEMDROP,
                 reinterpret_cast<WPARAM>(item->m_window->GetHwnd()), 0);
    EXPECT_TRUE(closer.m_texts.empty());
    EXPECT_TRUE(m_links->m_items.empty());
    ASSERT_EQ(1u, m_more->m_items.size());
    const auto& moved = dynamic_cast<const CShortcutItem&>(*m_more->m_items[0]);
    EXPECT_EQ(L"C:\\keyed.txt", moved.GetPath());
    EXPECT_EQ(L"-k", moved.GetArguments());
    EXPECT_EQ(L"C:\\", moved.GetStartIn());
    EXPECT_EQ(CtrlAltF22, moved.GetHotKey());
    EXPECT_NE(-1, moved.m_hotKeyId) << "the hotkey was not registered again after the move";
}

TEST_F(ShortcutViews, DeleteCategoryAsksFirstAndKeepsItOnNo)
{
    ExpectCategoryKeptOnNo(*m_header, m_catalogue->m_shortcuts, L"Links", __LINE__);
}
