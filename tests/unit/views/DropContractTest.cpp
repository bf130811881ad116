#include "catalogue/ApplicationItem.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FolderItem.h"
#include "resources/resource.h"
#include "store/CatalogueChange.h"
#include "tests/support/unit/MainWindowTest.h"
#include "tests/support/unit/MessageBoxCloser.h"
#include "tests/unit/views/HostedViewsTest.h"
#include "tests/support/InProcessInput.h"
#include "toolkit/Utilities.h"

#include <gtest/gtest.h>

#include <memory>

using test_support::CMessageBoxCloser;
using namespace views_test;
using namespace test_support;

namespace
{
constexpr WORD CtrlAltF20 = MAKEWORD(VK_F20, HOTKEYF_CONTROL | HOTKEYF_ALT);
constexpr int ProbeId = 0x7A12;

// Rows dragged with real input between headers of the main window's catalogue, on a host
// window of the test that stands in for the page: "Drop source" at (0, 0) with its entry
// below it, "Drop target" at (150, 0).
class DropContract : public CHostedViewsTest
{
protected:
    void SetUp() override
    {
        CHostedViewsTest::SetUp();
        if (HasFatalFailure())
            return;
        m_source = AddHostedCategory(m_catalogue->m_applications, L"Drop source", 0);
        m_target = AddHostedCategory(m_catalogue->m_applications, L"Drop target", 150);
        m_folderSource = AddHostedCategory(m_catalogue->m_folders, L"Drop places", 300);
        m_folderTarget = AddHostedCategory(m_catalogue->m_folders, L"Drop more places", 300, 100);
    }

    CApplicationItem* InsertEditor()
    {
        return InsertRow(m_source, std::make_unique<CApplicationItem>(
                                       L"Editor", m_source, L"C:\\ed.exe", L"-n", L"C:\\work",
                                       CtrlAltF20, m_host->GetHwnd()));
    }

    // Press on the row, move past the drag distance, move over the header and release.
    void Drag(HWND row, HWND header)
    {
        ASSERT_TRUE(MoveMouseTo(ScreenPoint(row, 30, 11), row));
        ASSERT_TRUE(PressLeftButton(row));
        ASSERT_TRUE(MoveMouseTo(ScreenPoint(row, 60, 11), row));
        ASSERT_TRUE(MoveMouseTo(ScreenPoint(header, 40, 11), row));
        // The dragging row keeps the mouse; its release may destroy it.
        ASSERT_TRUE(ReleaseLeftButton(row));
    }

    CCategory* m_source = nullptr;
    CCategory* m_target = nullptr;
    CCategory* m_folderSource = nullptr;
    CCategory* m_folderTarget = nullptr;
};

unsigned s_changes = 0;
CatalogueChange s_lastChange;

void CountChange(const CatalogueChange& change)
{
    ++s_changes;
    s_lastChange = change;
}

DWORD ProbeCtrlAltF20()
{
    SetLastError(0xDEADBEEF);
    if (RegisterHotKey(nullptr, ProbeId, MOD_CONTROL | MOD_ALT, VK_F20))
    {
        UnregisterHotKey(nullptr, ProbeId);
        return 0;
    }
    return GetLastError();
}
} // namespace

TEST_F(DropContract, DraggedEntryMovesWithItsHotKey)
{
    CApplicationItem* editor = InsertEditor();
    ASSERT_NE(nullptr, editor);
    const int oldId = editor->m_hotKeyId;
    ASSERT_NE(-1, oldId);
    const HWND oldRow = editor->m_window->GetHwnd();

    CMessageBoxCloser closer;
    s_changes = 0;
    CCatalogue::SetChangeHook(CountChange);
    Drag(oldRow, m_target->m_window->GetHwnd());
    CCatalogue::SetChangeHook(nullptr);
    EXPECT_TRUE(closer.m_texts.empty());
    // Stored as one change: two would leave the entry in both categories in between.
    EXPECT_EQ(1u, s_changes);
    // The store removes the old key and writes the moved entry, hotkey included.
    ASSERT_EQ(1u, s_lastChange.removed.size());
    EXPECT_EQ(m_source->m_name, s_lastChange.removed[0].category);
    ASSERT_EQ(1u, s_lastChange.written.size());
    EXPECT_EQ(m_target->m_name, s_lastChange.written[0].category.name);
    ASSERT_EQ(1u, s_lastChange.written[0].category.items.size());
    EXPECT_EQ(CtrlAltF20, s_lastChange.written[0].category.items[0].hotKey);

    EXPECT_TRUE(m_source->m_items.empty());
    EXPECT_FALSE(IsWindow(oldRow)) << "the old entry went with its row";
    ASSERT_EQ(1u, m_target->m_items.size());
    auto* moved = dynamic_cast<CApplicationItem*>(m_target->m_items[0].get());
    ASSERT_NE(nullptr, moved);
    EXPECT_EQ(m_target, moved->m_category);
    EXPECT_EQ(L"Editor", moved->GetName());
    EXPECT_EQ(L"C:\\ed.exe", moved->GetPath());
    EXPECT_EQ(L"-n", moved->GetArguments());
    EXPECT_EQ(L"C:\\work", moved->GetStartIn());
    EXPECT_EQ(CtrlAltF20, moved->GetHotKey());
    EXPECT_GT(moved->m_hotKeyId, oldId) << "taken over under a fresh id";
    EXPECT_EQ(static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED), ProbeCtrlAltF20());
    EXPECT_EQ(moved, m_catalogue->FindApplicationByHotKeyId(moved->m_hotKeyId));
    ASSERT_NE(nullptr, moved->m_window);
    EXPECT_EQ(m_host->GetHwnd(), GetParent(moved->m_window->GetHwnd()));
}

TEST_F(DropContract, DropOnItsOwnHeaderIsRefusedAndChangesNothing)
{
    CApplicationItem* editor = InsertEditor();
    ASSERT_NE(nullptr, editor);
    const int id = editor->m_hotKeyId;
    const HWND row = editor->m_window->GetHwnd();

    CMessageBoxCloser closer;
    Drag(row, m_source->m_window->GetHwnd());

    ASSERT_EQ(1u, closer.m_texts.size());
    EXPECT_EQ(LoadResString(IDS_ITEM_EXISTS), closer.m_texts[0]);
    ASSERT_EQ(1u, m_source->m_items.size());
    EXPECT_EQ(editor, m_source->m_items[0].get());
    EXPECT_EQ(id, editor->m_hotKeyId);
    EXPECT_EQ(CtrlAltF20, editor->GetHotKey());
    EXPECT_TRUE(IsWindow(row));
    EXPECT_TRUE(m_target->m_items.empty());
    EXPECT_EQ(static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED), ProbeCtrlAltF20());
}

TEST_F(DropContract, DropOnAHeaderWithThatNameIsRefused)
{
    CApplicationItem* editor = InsertEditor();
    ASSERT_NE(nullptr, editor);
    ASSERT_NE(nullptr, InsertRow(m_target, std::make_unique<CApplicationItem>(
                                               L"EDITOR", m_target, L"C:\\other.exe", L"", L"", 0,
                                               m_host->GetHwnd())));
    CMessageBoxCloser closer;
    Drag(editor->m_window->GetHwnd(), m_target->m_window->GetHwnd());
    EXPECT_EQ(1u, closer.m_texts.size());
    ASSERT_EQ(1u, m_source->m_items.size());
    EXPECT_EQ(editor, m_source->m_items[0].get());
    ASSERT_EQ(1u, m_target->m_items.size());
    EXPECT_EQ(L"C:\\other.exe", m_target->m_items[0]->GetPath());
}

TEST_F(DropContract, FolderRowMovesBetweenFolderHeaders)
{
    CFolderItem* docs =
        InsertRow(m_folderSource, std::make_unique<CFolderItem>(L"Docs", m_folderSource,
                                                                L"C:\\Docs", m_host->GetHwnd()));
    ASSERT_NE(nullptr, docs);
    CMessageBoxCloser closer;
    Drag(docs->m_window->GetHwnd(), m_folderTarget->m_window->GetHwnd());
    EXPECT_TRUE(closer.m_texts.empty());
    EXPECT_TRUE(m_folderSource->m_items.empty());
    ASSERT_EQ(1u, m_folderTarget->m_items.size());
    EXPECT_EQ(L"C:\\Docs", m_folderTarget->m_items[0]->GetPath());
}

TEST_F(DropContract, RowOfAnotherKindIsIgnored)
{
    CApplicationItem* editor = InsertEditor();
    ASSERT_NE(nullptr, editor);
    const LRESULT result = SendMessageW(m_folderTarget->m_window->GetHwnd(), WM_LISTITEMDROP,
                                        reinterpret_cast<WPARAM>(editor->m_window->GetHwnd()), 0);
    EXPECT_EQ(0, result);
    EXPECT_EQ(1u, m_source->m_items.size());
    EXPECT_TRUE(m_folderTarget->m_items.empty());
    // Neither a foreign window nor garbage in wParam is taken for a row.
    SendMessageW(m_target->m_window->GetHwnd(), WM_LISTITEMDROP,
                 reinterpret_cast<WPARAM>(m_host->GetHwnd()), 0);
    SendMessageW(m_target->m_window->GetHwnd(), WM_LISTITEMDROP, 0x12345678, 0);
    EXPECT_EQ(1u, m_source->m_items.size());
    EXPECT_TRUE(m_target->m_items.empty());
}
