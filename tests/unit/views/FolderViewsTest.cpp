#include "views/FolderCategoryWindow.h"
#include "views/FolderItemWindow.h"

#include "catalogue/Catalogue.h"
#include "catalogue/Category.h"
#include "catalogue/FolderItem.h"
#include "resources/resource.h"
#include "shell/Clipboard.h"
#include "tests/support/unit/MainWindowTest.h"
#include "tests/support/unit/MessageBoxCloser.h"
#include "tests/unit/views/HostedViewsTest.h"
#include "tests/support/InProcessInput.h"
#include "tests/support/unit/ScratchFolder.h"
#include "tests/unit/views/TiledRow.h"
#include "toolkit/Utilities.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using test_support::CMessageBoxCloser;
using namespace views_test;
using namespace test_support;

namespace
{
const RECT IconSquare = {12, 2, 28, 18};

// Creates and removes a chain of folders whose full path is longer than MAX_PATH; the
// plain file functions cannot, so it goes through the extended-length form.
class CLongFolder
{
public:
    explicit CLongFolder(const std::wstring& base)
    {
        std::wstring path = base;
        for (wchar_t letter : {L'a', L'b'})
        {
            path += L"\\" + std::wstring(150, letter);
            m_chain.push_back(path);
        }
        m_chain.push_back(path + L"\\long name");
        for (const auto& folder : m_chain)
            CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr);
    }
    ~CLongFolder()
    {
        for (auto folder = m_chain.rbegin(); folder != m_chain.rend(); ++folder)
            RemoveDirectoryW((L"\\\\?\\" + *folder).c_str());
    }
    CLongFolder(const CLongFolder&) = delete;
    CLongFolder& operator=(const CLongFolder&) = delete;

    const std::wstring& Path() const { return m_chain.back(); }

private:
    std::vector<std::wstring> m_chain;
};

// The folder categories "Places" and "Other" on the host: Places at (0, 0) with its rows
// below it, Other at (200, 0).
class FolderViews : public CHostedViewsTest
{
protected:
    void SetUp() override
    {
        CHostedViewsTest::SetUp();
        if (HasFatalFailure())
            return;
        m_places = AddHostedCategory(m_catalogue->m_folders, L"Places", 0);
        m_other = AddHostedCategory(m_catalogue->m_folders, L"Other", 200);
        ASSERT_NE(nullptr, m_places);
        ASSERT_NE(nullptr, m_other);
        m_header = dynamic_cast<CFolderCategoryWindow*>(m_places->m_window.get());
        ASSERT_NE(nullptr, m_header);
        ASSERT_NE(nullptr, dynamic_cast<CFolderCategoryWindow*>(m_other->m_window.get()));
    }

    CFolderItem* AddFolder(const std::wstring& name, const std::wstring& path)
    {
        return InsertRow(m_places,
                         std::make_unique<CFolderItem>(name, m_places, path, m_host->GetHwnd()));
    }

    static CFolderItemWindow* RowOf(CFolderItem* item)
    {
        return dynamic_cast<CFolderItemWindow*>(item->m_window.get());
    }

    void Drop(const std::vector<std::wstring>& paths, int line)
    {
        DropFiles(m_header->GetHwnd(), paths, line);
    }

    void ExpectOneEntry(const std::wstring& name, const std::wstring& path, int line)
    {
        SCOPED_TRACE(testing::Message() << "called from line " << line);
        ASSERT_EQ(1u, m_places->m_items.size());
        const CListItem& added = *m_places->m_items[0];
        EXPECT_EQ(name, added.GetName());
        EXPECT_EQ(path, added.GetPath());
        ASSERT_NE(nullptr, added.m_window);
        EXPECT_EQ(m_host->GetHwnd(), GetParent(added.m_window->GetHwnd()));
    }

    CCategory* m_places = nullptr;
    CCategory* m_other = nullptr;
    CFolderCategoryWindow* m_header = nullptr;
};
} // namespace

TEST_F(FolderViews, DroppedFolderBecomesAnEntryNamedAfterIt)
{
    CScratchFolder folder;
    const std::wstring projects = folder.MakeFolder(L"Data\\Projects");
    const std::wstring second = folder.MakeFolder(L"Second");
    CMessageBoxCloser closer;
    Drop({projects, second}, __LINE__);
    EXPECT_TRUE(closer.m_texts.empty());
    // Only the first path counts.
    ExpectOneEntry(L"Projects", projects, __LINE__);
}

TEST_F(FolderViews, DroppedDriveRootIsNamedAfterItsDrive)
{
    CMessageBoxCloser closer;
    Drop({L"C:\\"}, __LINE__);
    EXPECT_TRUE(closer.m_texts.empty());
    ExpectOneEntry(L"C:", L"C:\\", __LINE__);
}

TEST_F(FolderViews, DroppedFolderWithClosingBackslashKeepsItsOwnName)
{
    CScratchFolder folder;
    const std::wstring path = folder.MakeFolder(L"Music") + L"\\";
    Drop({path}, __LINE__);
    ExpectOneEntry(L"Music", path, __LINE__);
}

TEST_F(FolderViews, DroppedFileOrMissingFolderIsIgnoredWithoutAMessage)
{
    CScratchFolder folder;
    const std::wstring file = folder.MakeFile(L"notes.txt");
    CMessageBoxCloser closer;
    Drop({file, folder.MakeFolder(L"later")}, __LINE__);
    Drop({folder / L"missing"}, __LINE__);
    EXPECT_TRUE(closer.m_texts.empty())
        << "first message "
        << testing::PrintToString(closer.m_texts.empty() ? L"" : closer.m_texts[0]);
    EXPECT_TRUE(m_places->m_items.empty());
}

TEST_F(FolderViews, DroppedFolderPathLongerThanMaxPathArrivesWhole)
{
    CScratchFolder folder;
    CLongFolder longFolder(folder.Path());
    ASSERT_GT(longFolder.Path().size(), static_cast<size_t>(MAX_PATH));
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((L"\\\\?\\" + longFolder.Path()).c_str()))
        << "the long folder could not be made";
    CMessageBoxCloser closer;
    Drop({longFolder.Path()}, __LINE__);
    EXPECT_TRUE(closer.m_texts.empty());
    ExpectOneEntry(L"long name", longFolder.Path(), __LINE__);
}

TEST_F(FolderViews, DroppedMissingPathLongerThanMaxPathIsIgnored)
{
    const std::wstring path = L"C:\\" + std::wstring(300, L'x') + L"\\gone";
    CMessageBoxCloser closer;
    Drop({path}, __LINE__);
    EXPECT_TRUE(closer.m_texts.empty());
    EXPECT_TRUE(m_places->m_items.empty());
}

TEST_F(FolderViews, DroppedDuplicateNameIsRefused)
{
    CScratchFolder folder;
    ASSERT_NE(nullptr, AddFolder(L"Projects", L"C:\\old\\Projects"));
    CMessageBoxCloser closer;
    Drop({folder.MakeFolder(L"projects")}, __LINE__);
    ASSERT_EQ(1u, closer.m_texts.size());
    EXPECT_EQ(LoadResString(IDS_ITEM_EXISTS), closer.m_texts[0]);
    ExpectOneEntry(L"Projects", L"C:\\old\\Projects", __LINE__);
}

TEST_F(FolderViews, TooltipIsTheFullPathEvenWhenTheNameFits)
{
    CFolderItem* item = AddFolder(L"Work", L"C:\\users\\me\\Work");
    ASSERT_NE(nullptr, item);
    wchar_t sentinel[] = L"sentinel";
    NMTTDISPINFOW info = {};
    info.hdr.code = TTN_GETDISPINFOW;
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(item->m_window->GetHwnd());
    info.lpszText = sentinel;
    LRESULT result = 0;
    RowOf(item)->OnReflectNotify(&info.hdr, &result);
    ASSERT_NE(nullptr, info.lpszText);
    EXPECT_EQ(std::wstring(L"C:\\users\\me\\Work"), info.lpszText);
}

TEST_F(FolderViews, RealFolderGetsItsShellIconAtTheFirstPaint)
{
    CScratchFolder folder;
    CFolderItem* item = AddFolder(L"Real", folder.MakeFolder(L"Real"));
    ASSERT_NE(nullptr, item);
    const HWND row = item->m_window->GetHwnd();
    m_mainWnd->m_settings.m_showFolderIcons = true;
    const std::vector<COLORREF> with = Capture(row);
    ASSERT_NE(CEntryItemWindow::NoIcon, RowOf(item)->m_iconIndex)
        << "the shell gave no icon for a folder";
    const std::vector<COLORREF> bare = TiledRow(IDB_FOLDER_ROW);
    EXPECT_GT(CountDifferences(bare, with, IconSquare), 40u) << "the icon square shows tiles";
    // Between the icon and the name, at 40, the tiles show.
    ExpectSameArea(bare, with, RECT{0, 0, 12, RowHeight}, __LINE__);
    ExpectSameArea(bare, with, RECT{28, 0, 40, RowHeight}, __LINE__);
}

TEST_F(FolderViews, WithoutFolderIconsTheNameStartsAtTwelve)
{
    CScratchFolder folder;
    CFolderItem* item = AddFolder(L"Real", folder.MakeFolder(L"Real"));
    ASSERT_NE(nullptr, item);
    m_mainWnd->m_settings.m_showFolderIcons = false;
    const std::vector<COLORREF> without = Capture(item->m_window->GetHwnd());
    const std::vector<COLORREF> bare = TiledRow(IDB_FOLDER_ROW);
    ExpectSameArea(bare, without, RECT{0, 0, 12, RowHeight}, __LINE__);
    EXPECT_GT(CountDifferences(bare, without, RECT{12, 0, 40, RowHeight}), 0u)
        << "no name drawn from x 12";
}

TEST_F(FolderViews, MissingFolderLeavesTheIconColumnEmpty)
{
    CFolderItem* item = AddFolder(L"Gone", L"C:\\no such folder\\Gone");
    ASSERT_NE(nullptr, item);
    m_mainWnd->m_settings.m_showFolderIcons = true;
    const std::vector<COLORREF> pixels = Capture(item->m_window->GetHwnd());
    if (RowOf(item)->m_iconIndex != CEntryItemWindow::NoIcon)
        GTEST_SKIP() << "the shell gives an icon for a missing folder";
    ExpectSameArea(TiledRow(IDB_FOLDER_ROW), pixels, RECT{0, 0, 18, RowHeight}, __LINE__);
}

// A path that cannot be reached, like a share that is gone, can keep each ask waiting for
// seconds, and every mouse move repaints the row.
TEST_F(FolderViews, UnreachableFolderIsAskedForItsIconOnceUntilItsPathChanges)
{
    CFolderItem* item = AddFolder(L"Gone", L"C:\\no such folder\\Gone");
    ASSERT_NE(nullptr, item);
    m_mainWnd->m_settings.m_showFolderIcons = true;
    const HWND row = item->m_window->GetHwnd();
    for (int paint = 0; paint < 3; ++paint)
        Capture(row);
    EXPECT_EQ(CEntryItemWindow::NoIcon, RowOf(item)->m_iconIndex)
        << "an icon for a share that is gone";
    EXPECT_EQ(1, RowOf(item)->m_iconRequests) << "asked again at a later paint";

    CScratchFolder folder;
    const CFolderItem edited(L"Gone", m_places, folder.MakeFolder(L"Back"), nullptr);
    item->CopyFrom(edited);
    Capture(row);
    Capture(row);
    EXPECT_EQ(2, RowOf(item)->m_iconRequests) << "the edited path was not asked once";
    EXPECT_NE(CEntryItemWindow::NoIcon, RowOf(item)->m_iconIndex) << "no icon for the edited path";
}

TEST_F(FolderViews, OpeningAFolderNeverHidesTheMainWindow)
{
    m_mainWnd->m_settings.m_hideAfterLaunch = true;
    // A folder that is gone: the shell refuses it with a beep, and opens no window.
    CFolderItem* item = AddFolder(L"Gone", L"C:\\no such folder\\Gone");
    ASSERT_NE(nullptr, item);
    SendMessageW(item->m_window->GetHwnd(), WM_LISTITEMCLICK, 0, MAKELPARAM(60, 11));
    RowOf(item)->RunMenuCommand(ID_LAUNCH);
    EXPECT_FALSE(IsIconic(m_mainWnd->GetHwnd()));
}

TEST_F(FolderViews, DeleteAsksFirstAndKeepsTheEntryOnNo)
{
    CFolderItem* item = AddFolder(L"Work", L"C:\\Work");
    ASSERT_NE(nullptr, item);
    ExpectEntryKeptOnNo([item] { RowOf(item)->RunMenuCommand(ID_DELETE); }, item,
                        L"Delete folder from the list?", __LINE__);
}

TEST_F(FolderViews, DeleteCategoryAsksFirstAndKeepsItOnNo)
{
    ExpectCategoryKeptOnNo(*m_header, m_catalogue->m_folders, L"Places", __LINE__);
}

TEST_F(FolderViews, RowDraggedOntoAnotherCategoryMovesThere)
{
    ASSERT_NE(nullptr, AddFolder(L"Work", L"C:\\Work"));
    const HWND row = m_places->m_items[0]->m_window->GetHwnd();
    CMessageBoxCloser closer;
    EXPECT_EQ(1, SendMessageW(m_other->m_window->GetHwnd(), WM_LISTITEMCANDROP, 0, 0));
    SendMessageW(m_other->m_window->GetHwnd(), WM_LISTITEMDROP, reinterpret_cast<WPARAM>(row), 0);
    EXPECT_TRUE(closer.m_texts.empty());
    EXPECT_TRUE(m_places->m_items.empty());
    ASSERT_EQ(1u, m_other->m_items.size());
    EXPECT_EQ(L"Work", m_other->m_items[0]->GetName());
    EXPECT_EQ(L"C:\\Work", m_other->m_items[0]->GetPath());
}

TEST_F(FolderViews, RowDroppedOnItsOwnCategoryStays)
{
    CFolderItem* item = AddFolder(L"Work", L"C:\\Work");
    ASSERT_NE(nullptr, item);
    CMessageBoxCloser closer;
    SendMessageW(m_header->GetHwnd(), WM_LISTITEMDROP,
                 reinterpret_cast<WPARAM>(item->m_window->GetHwnd()), 0);
    ASSERT_EQ(1u, closer.m_texts.size());
    EXPECT_EQ(LoadResString(IDS_ITEM_EXISTS), closer.m_texts[0]);
    ASSERT_EQ(1u, m_places->m_items.size());
    EXPECT_EQ(item, m_places->m_items[0].get());
}
