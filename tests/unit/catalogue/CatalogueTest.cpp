#include "catalogue/ApplicationItem.h"
#include "catalogue/Catalogue.h"
#include "catalogue/EntryKind.h"
#include "catalogue/FolderItem.h"
#include "catalogue/ShortcutItem.h"
#include "resources/resource.h"
#include "tests/support/unit/MessageBoxCloser.h"
#include "toolkit/Utilities.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

using test_support::CMessageBoxCloser;

namespace
{
// The catalogue's own rules, without a main window: entries have no hotkeys and no
// windows here.
class CatalogueTest : public testing::Test
{
protected:
    std::unique_ptr<CListItem> MakeApplication(CCategory* category, const std::wstring& name)
    {
        return std::make_unique<CApplicationItem>(name, category, L"C:\\" + name + L".exe", L"",
                                                  L"", 0, nullptr);
    }

    CCatalogue m_catalogue;
};
} // namespace

TEST_F(CatalogueTest, GetListSelectsByKind)
{
    EXPECT_EQ(&m_catalogue.m_applications, &m_catalogue.GetList(ListKind::Applications));
    EXPECT_EQ(&m_catalogue.m_shortcuts, &m_catalogue.GetList(ListKind::Shortcuts));
    EXPECT_EQ(&m_catalogue.m_folders, &m_catalogue.GetList(ListKind::Folders));
    EXPECT_EQ(&m_catalogue.m_applications, &m_catalogue.GetList(static_cast<ListKind>(3)));
    EXPECT_EQ(&m_catalogue.m_applications, &m_catalogue.GetList(static_cast<ListKind>(-1)));
}

// The store's loader and the item editor both make entries through the kind's row.
TEST_F(CatalogueTest, EachKindMakesItsOwnEntryFromTheFields)
{
    struct Case
    {
        int value;
        ListKind list;
        const std::type_info& type;
        bool launchOptions;
    };
    const Case cases[] = {
        {0, ListKind::Applications, typeid(CApplicationItem), true},
        {1, ListKind::Shortcuts, typeid(CShortcutItem), true},
        {2, ListKind::Folders, typeid(CFolderItem), false},
        {3, ListKind::Applications, typeid(CApplicationItem), true},
        {-1, ListKind::Applications, typeid(CApplicationItem), true},
    };
    const std::wstring name = L"Sentinel name";
    const std::wstring path = L"C:\\Sentinel\\path.exe";
    const std::wstring arguments = L"--sentinel";
    const std::wstring startIn = L"C:\\Sentinel";
    const WORD hotKey = MAKEWORD('Q', HOTKEYF_CONTROL);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "kind value " << c.value);
        const EntryKind& kind = KindOf(static_cast<ListKind>(c.value));
        EXPECT_EQ(static_cast<int>(c.list), static_cast<int>(kind.list));
        EXPECT_EQ(c.launchOptions, kind.hasLaunchOptions);
        CCategory* category =
            m_catalogue.GetList(kind.list).AddCategory(L"Sentinel " + std::to_wstring(c.value));
        ASSERT_NE(nullptr, category);
        const std::unique_ptr<CListItem> item =
            kind.make({name, path, arguments, startIn, hotKey}, category, nullptr);
        ASSERT_NE(nullptr, item);
        EXPECT_EQ(std::string(c.type.name()), std::string(typeid(*item).name()));
        EXPECT_EQ(name, item->m_name);
        EXPECT_EQ(category, item->m_category);
        EXPECT_EQ(path, item->GetPath());
        EXPECT_EQ(c.launchOptions ? arguments : L"", item->GetArguments());
        EXPECT_EQ(c.launchOptions ? startIn : L"", item->GetStartIn());
        EXPECT_EQ(c.launchOptions ? hotKey : 0, item->GetHotKey());
        EXPECT_EQ(nullptr, item->m_window.get()) << "no parent window, no row";
    }
}

TEST_F(CatalogueTest, NothingIsRegisteredBeforeTheFirstHotKey)
{
    EXPECT_EQ(1, m_catalogue.m_lastHotKeyId);
    EXPECT_TRUE(m_catalogue.m_notes.m_categories.empty());
}

TEST_F(CatalogueTest, GetCategoryNamesAppendsInListOrder)
{
    std::vector<std::wstring> names = {L"kept"};
    m_catalogue.GetCategoryNames(ListKind::Folders, names);
    EXPECT_EQ((std::vector<std::wstring>{L"kept"}), names) << "no categories, nothing added";

    m_catalogue.m_folders.AddCategory(L"b");
    m_catalogue.m_folders.AddCategory(L"A");
    m_catalogue.m_applications.AddCategory(L"other list");
    m_catalogue.GetCategoryNames(ListKind::Folders, names);
    EXPECT_EQ((std::vector<std::wstring>{L"kept", L"A", L"b"}), names);
}

TEST_F(CatalogueTest, ItemNameExistsLooksInTheNamedCategoryOfTheKind)
{
    CCategory* tools = m_catalogue.m_applications.AddCategory(L"Tools");
    ASSERT_TRUE(tools->InsertItem(MakeApplication(tools, L"Editor")));
    m_catalogue.m_shortcuts.AddCategory(L"Tools");

    EXPECT_TRUE(m_catalogue.ItemNameExists(ListKind::Applications, L"TOOLS", L"editor"));
    EXPECT_FALSE(m_catalogue.ItemNameExists(ListKind::Applications, L"Tools", L"Edit"));
    EXPECT_FALSE(m_catalogue.ItemNameExists(ListKind::Applications, L"Games", L"Editor"));
    EXPECT_FALSE(m_catalogue.ItemNameExists(ListKind::Shortcuts, L"Tools", L"Editor"));
}

TEST_F(CatalogueTest, AddItemIfUniqueInsertsIntoTheItemsCategory)
{
    CCategory* tools = m_catalogue.m_applications.AddCategory(L"Tools");
    CCategory* games = m_catalogue.m_applications.AddCategory(L"Games");
    ASSERT_TRUE(tools->InsertItem(MakeApplication(tools, L"Chess")));

    CMessageBoxCloser closer;
    EXPECT_TRUE(m_catalogue.AddItemIfUnique(nullptr, MakeApplication(games, L"Chess"),
                                            ListKind::Applications));
    EXPECT_TRUE(closer.m_texts.empty());
    ASSERT_EQ(1u, games->m_items.size());
    EXPECT_EQ(L"Chess", games->m_items[0]->m_name);
    EXPECT_EQ(games, games->m_items[0]->m_category);
}

TEST_F(CatalogueTest, AddItemIfUniqueRefusesATakenNameWithAWarning)
{
    CCategory* tools = m_catalogue.m_applications.AddCategory(L"Tools");
    ASSERT_TRUE(tools->InsertItem(MakeApplication(tools, L"Editor")));
    const CListItem* original = tools->m_items[0].get();

    CMessageBoxCloser closer;
    EXPECT_FALSE(m_catalogue.AddItemIfUnique(nullptr, MakeApplication(tools, L"EDITOR"),
                                             ListKind::Applications));
    ASSERT_EQ(1u, closer.m_texts.size());
    EXPECT_EQ(LoadResString(IDS_ITEM_EXISTS), closer.m_texts[0]);
    EXPECT_EQ(L"Item with this name already exists", closer.m_texts[0]);
    ASSERT_EQ(1u, tools->m_items.size());
    EXPECT_EQ(original, tools->m_items[0].get());
    EXPECT_EQ(L"C:\\Editor.exe", original->GetPath());
}

TEST_F(CatalogueTest, RemoveItemDeletesItFromItsCategory)
{
    CCategory* tools = m_catalogue.m_shortcuts.AddCategory(L"Tools");
    for (const wchar_t* name : {L"a", L"b", L"c"})
        ASSERT_TRUE(tools->InsertItem(
            std::make_unique<CShortcutItem>(name, tools, L"", L"", L"", 0, nullptr)));
    m_catalogue.RemoveItem(*tools->m_items[1]);
    ASSERT_EQ(2u, tools->m_items.size());
    EXPECT_EQ(L"a", tools->m_items[0]->m_name);
    EXPECT_EQ(L"c", tools->m_items[1]->m_name);
}

TEST_F(CatalogueTest, UnregisteredEntriesAreNeverFoundByHotKeyId)
{
    CCategory* tools = m_catalogue.m_applications.AddCategory(L"Tools");
    ASSERT_TRUE(tools->InsertItem(MakeApplication(tools, L"Editor")));
    CCategory* links = m_catalogue.m_shortcuts.AddCategory(L"Links");
    ASSERT_TRUE(links->InsertItem(
        std::make_unique<CShortcutItem>(L"Notes", links, L"", L"", L"", 0, nullptr)));

    for (int id : {-1, 0, 1, 2})
    {
        SCOPED_TRACE(testing::Message() << "id " << id);
        EXPECT_EQ(nullptr, m_catalogue.FindApplicationByHotKeyId(id));
        EXPECT_EQ(nullptr, m_catalogue.FindShortcutByHotKeyId(id));
        EXPECT_FALSE(m_catalogue.LaunchApplicationByHotKeyId(id));
        EXPECT_FALSE(m_catalogue.LaunchShortcutByHotKeyId(id));
    }
}
