#include "catalogue/ApplicationCategorizedList.h"
#include "catalogue/ApplicationItem.h"
#include "catalogue/FolderItem.h"
#include "catalogue/ShortcutItem.h"
#include "tests/support/unit/HostWindow.h"
#include "views/ApplicationItemWindow.h"
#include "views/FolderItemWindow.h"
#include "views/ShortcutItemWindow.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
constexpr WORD CtrlAltF20 = MAKEWORD(VK_F20, HOTKEYF_CONTROL | HOTKEYF_ALT);

// The row window must be a hidden 140 x 22 "ListItem" child of parent showing item.
template <typename TWindow, typename TItem> void ExpectRow(TItem& item, HWND parent, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    auto* window = dynamic_cast<TWindow*>(item.m_window.get());
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(&item, window->m_item);
    EXPECT_FALSE(window->IsCategory());
    ASSERT_TRUE(IsWindow(window->GetHwnd()));
    EXPECT_EQ(parent, GetParent(window->GetHwnd()));
    EXPECT_FALSE(IsWindowVisible(window->GetHwnd()));
    RECT client = {};
    GetClientRect(window->GetHwnd(), &client);
    EXPECT_EQ(140, client.right);
    EXPECT_EQ(22, client.bottom);
}

class ListItemTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CListItemWindow::RegisterListItemClass();
        m_category = m_list.AddCategory(L"Tools");
    }

    test_support::CHostWindow m_host{{40, 40, 440, 240}};
    CApplicationCategorizedList m_list;
    CCategory* m_category = nullptr;
};
} // namespace

TEST_F(ListItemTest, ApplicationKeepsItsValues)
{
    CApplicationItem item(L"Editor", m_category, L"C:\\ed.exe", L"-n", L"C:\\work", CtrlAltF20,
                          nullptr);
    EXPECT_EQ(L"Editor", item.GetName());
    EXPECT_EQ(m_category, item.m_category);
    EXPECT_EQ(L"C:\\ed.exe", item.GetPath());
    EXPECT_EQ(L"-n", item.GetArguments());
    EXPECT_EQ(L"C:\\work", item.GetStartIn());
    EXPECT_EQ(CtrlAltF20, item.GetHotKey());
    EXPECT_EQ(-1, item.m_hotKeyId) << "construction never registers";
    EXPECT_FALSE(item.m_running);
    EXPECT_EQ(nullptr, item.m_window) << "no parent, no window";
}

TEST_F(ListItemTest, SetHotKeyOnlyStoresTheWord)
{
    CShortcutItem item(L"Notes", m_category, L"C:\\notes.txt", L"", L"", 0, nullptr);
    item.SetHotKey(CtrlAltF20);
    EXPECT_EQ(CtrlAltF20, item.GetHotKey());
    EXPECT_EQ(-1, item.m_hotKeyId);
}

TEST_F(ListItemTest, FolderHasNoArgumentsStartInOrHotKey)
{
    CFolderItem item(L"Docs", m_category, L"C:\\Docs", nullptr);
    EXPECT_EQ(L"C:\\Docs", item.GetPath());
    EXPECT_EQ(L"", item.GetArguments());
    EXPECT_EQ(L"", item.GetStartIn());
    EXPECT_EQ(0, item.GetHotKey());
    item.SetHotKey(CtrlAltF20);
    EXPECT_EQ(0, item.GetHotKey());
    EXPECT_FALSE(item.RegisterItemHotKey());
}

TEST_F(ListItemTest, ZeroHotKeyRegistersNothing)
{
    CApplicationItem item(L"Editor", m_category, L"", L"", L"", 0, nullptr);
    EXPECT_TRUE(item.RegisterItemHotKey());
    EXPECT_EQ(-1, item.m_hotKeyId);
}

TEST_F(ListItemTest, HotKeyWithoutAMainWindowStaysUnregisteredButKept)
{
    CApplicationItem item(L"Editor", m_category, L"", L"", L"", CtrlAltF20, nullptr);
    EXPECT_FALSE(item.RegisterItemHotKey());
    EXPECT_EQ(-1, item.m_hotKeyId);
    EXPECT_EQ(CtrlAltF20, item.GetHotKey());
}

TEST_F(ListItemTest, EachKindCreatesItsRowInTheParent)
{
    CApplicationItem application(L"A", m_category, L"", L"", L"", 0, m_host.GetHwnd());
    CShortcutItem shortcut(L"S", m_category, L"", L"", L"", 0, m_host.GetHwnd());
    CFolderItem folder(L"F", m_category, L"", m_host.GetHwnd());
    ExpectRow<CApplicationItemWindow>(application, m_host.GetHwnd(), __LINE__);
    ExpectRow<CShortcutItemWindow>(shortcut, m_host.GetHwnd(), __LINE__);
    ExpectRow<CFolderItemWindow>(folder, m_host.GetHwnd(), __LINE__);
}

TEST_F(ListItemTest, CreateItemWindowReplacesTheOldWindow)
{
    CShortcutItem item(L"S", m_category, L"", L"", L"", 0, m_host.GetHwnd());
    const HWND old = item.m_window->GetHwnd();
    item.CreateItemWindow(m_host.GetHwnd());
    EXPECT_FALSE(IsWindow(old));
    ExpectRow<CShortcutItemWindow>(item, m_host.GetHwnd(), __LINE__);

    item.CreateItemWindow(nullptr);
    ASSERT_NE(nullptr, item.m_window) << "a null parent leaves the window alone";
    EXPECT_TRUE(IsWindow(item.m_window->GetHwnd()));
}

TEST_F(ListItemTest, DeletingAnItemDestroysItsWindow)
{
    auto item = std::make_unique<CFolderItem>(L"Docs", m_category, L"C:\\Docs", m_host.GetHwnd());
    const HWND row = item->m_window->GetHwnd();
    ASSERT_TRUE(IsWindow(row));
    item.reset();
    EXPECT_FALSE(IsWindow(row));
}

TEST_F(ListItemTest, CloneCopiesValuesIntoASiblingWindow)
{
    CApplicationItem item(L"Editor", m_category, L"C:\\ed.exe", L"-n", L"C:\\work", CtrlAltF20,
                          m_host.GetHwnd());
    const std::unique_ptr<CListItem> clone = item.Clone();
    auto* copy = dynamic_cast<CApplicationItem*>(clone.get());
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(L"Editor", copy->GetName());
    EXPECT_EQ(m_category, copy->m_category);
    EXPECT_EQ(L"C:\\ed.exe", copy->GetPath());
    EXPECT_EQ(L"-n", copy->GetArguments());
    EXPECT_EQ(L"C:\\work", copy->GetStartIn());
    EXPECT_EQ(CtrlAltF20, copy->GetHotKey());
    EXPECT_EQ(-1, copy->m_hotKeyId);
    EXPECT_TRUE(m_category->m_items.empty()) << "a clone is not in the category yet";
    ExpectRow<CApplicationItemWindow>(*copy, m_host.GetHwnd(), __LINE__);
    EXPECT_NE(item.m_window->GetHwnd(), copy->m_window->GetHwnd());
}

TEST_F(ListItemTest, CloneOfEachKindKeepsItsKind)
{
    CShortcutItem shortcut(L"S", m_category, L"C:\\s.lnk", L"a", L"b", 0, nullptr);
    CFolderItem folder(L"F", m_category, L"C:\\F", nullptr);
    EXPECT_NE(nullptr, dynamic_cast<CShortcutItem*>(shortcut.Clone().get()));
    const std::unique_ptr<CListItem> folderClone = folder.Clone();
    ASSERT_NE(nullptr, dynamic_cast<CFolderItem*>(folderClone.get()));
    EXPECT_EQ(L"C:\\F", folderClone->GetPath());
    EXPECT_EQ(nullptr, folderClone->m_window) << "no window to be a sibling of";
}

TEST_F(ListItemTest, CopyFromTakesTheValuesAndResorts)
{
    ASSERT_TRUE(m_category->InsertItem(
        std::make_unique<CShortcutItem>(L"alpha", m_category, L"", L"", L"", 0, nullptr)));
    ASSERT_TRUE(m_category->InsertItem(
        std::make_unique<CShortcutItem>(L"beta", m_category, L"", L"", L"", 0, nullptr)));
    CShortcutItem edited(L"Zulu", m_category, L"C:\\z.txt", L"-x", L"C:\\z", 0, nullptr);

    CListItem* alpha = m_category->m_items[0].get();
    alpha->CopyFrom(edited);
    EXPECT_EQ(L"Zulu", alpha->GetName());
    EXPECT_EQ(L"C:\\z.txt", alpha->GetPath());
    EXPECT_EQ(L"-x", alpha->GetArguments());
    EXPECT_EQ(L"C:\\z", alpha->GetStartIn());
    EXPECT_EQ(alpha, m_category->m_items[1].get()) << "re-sorted after the rename";
}

TEST_F(ListItemTest, FolderCopyFromTakesNameAndPath)
{
    ASSERT_TRUE(
        m_category->InsertItem(std::make_unique<CFolderItem>(L"a", m_category, L"C:\\a", nullptr)));
    ASSERT_TRUE(
        m_category->InsertItem(std::make_unique<CFolderItem>(L"b", m_category, L"C:\\b", nullptr)));
    CFolderItem edited(L"c", m_category, L"C:\\c", nullptr);
    CListItem* first = m_category->m_items[0].get();
    first->CopyFrom(edited);
    EXPECT_EQ(L"c", first->GetName());
    EXPECT_EQ(L"C:\\c", first->GetPath());
    EXPECT_EQ(first, m_category->m_items[1].get());
}
