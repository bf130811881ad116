#include "catalogue/ApplicationCategorizedList.h"
#include "catalogue/ApplicationItem.h"
#include "catalogue/Category.h"
#include "catalogue/FolderItem.h"
#include "catalogue/NameOrder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
// Categories and items without windows and hotkeys: the model alone.
class CategoryTest : public testing::Test
{
protected:
    void SetUp() override { m_category = m_list.AddCategory(L"Tools"); }

    bool Insert(const std::wstring& name, const std::wstring& path = L"C:\\p.exe")
    {
        return m_category->InsertItem(
            std::make_unique<CApplicationItem>(name, m_category, path, L"", L"", 0, nullptr));
    }

    std::vector<std::wstring> Names() const
    {
        std::vector<std::wstring> names;
        for (const auto& item : m_category->m_items)
            names.push_back(item->m_name);
        return names;
    }

    CApplicationCategorizedList m_list;
    CCategory* m_category = nullptr;
};
} // namespace

TEST_F(CategoryTest, ItemsAreHeldInNameOrder)
{
    ASSERT_TRUE(Insert(L"Zip"));
    ASSERT_TRUE(Insert(L"apple"));
    ASSERT_TRUE(Insert(L"Mail"));
    const std::vector<std::wstring> expected = {L"apple", L"Mail", L"Zip"};
    EXPECT_EQ(expected, Names());
}

// Names in a scrambled order and mixed case, as a large stored category brings them.
TEST_F(CategoryTest, ThousandsOfInsertionsKeepTheNameOrder)
{
    constexpr int Count = 3000;
    for (int i = 0; i < Count; ++i)
    {
        const int number = (i * 1777) % Count;
        const std::wstring name = (number % 2 ? L"Entry " : L"entry ") + std::to_wstring(number);
        ASSERT_TRUE(Insert(name)) << "refused " << testing::PrintToString(name);
    }
    const std::vector<std::wstring> names = Names();
    ASSERT_EQ(static_cast<size_t>(Count), names.size());
    for (size_t i = 1; i < names.size(); ++i)
        ASSERT_FALSE(NameLess(names[i], names[i - 1]))
            << testing::PrintToString(names[i - 1]) << " before "
            << testing::PrintToString(names[i]);
}

TEST_F(CategoryTest, InsertRefusesANameTakenInAnyCase)
{
    ASSERT_TRUE(Insert(L"Editor", L"C:\\first.exe"));
    EXPECT_FALSE(Insert(L"EDITOR", L"C:\\second.exe"));
    EXPECT_FALSE(Insert(L"editor", L"C:\\third.exe"));
    ASSERT_EQ(1u, m_category->m_items.size());
    EXPECT_EQ(L"Editor", m_category->m_items[0]->m_name);
    EXPECT_EQ(L"C:\\first.exe", m_category->m_items[0]->GetPath());
}

// The registry would keep both under one key, and the second's values would overwrite.
TEST_F(CategoryTest, InsertRefusesANameTakenInAnyCaseBeyondAscii)
{
    ASSERT_TRUE(Insert(L"\u00DCbung", L"C:\\first.exe"));
    EXPECT_FALSE(Insert(L"\u00FCbung", L"C:\\second.exe"));
    ASSERT_EQ(1u, m_category->m_items.size());
    EXPECT_EQ(L"C:\\first.exe", m_category->m_items[0]->GetPath());
}

TEST_F(CategoryTest, NamesNoKeyCanHoldMakeNoItemAndNoCategory)
{
    EXPECT_FALSE(Insert(L"Work\\Home"));
    EXPECT_FALSE(Insert(L""));
    EXPECT_FALSE(Insert(std::wstring(MaxStoredNameLength + 1, L'x')));
    EXPECT_TRUE(m_category->m_items.empty());
    EXPECT_EQ(nullptr, m_list.AddCategory(L"Work\\Home"));
    EXPECT_EQ(nullptr, m_list.AddCategory(L""));
    EXPECT_EQ(1u, m_list.m_categories.size());
}

TEST_F(CategoryTest, InsertedItemBelongsToTheCategory)
{
    auto item = std::make_unique<CFolderItem>(L"Docs", nullptr, L"C:\\Docs", nullptr);
    ASSERT_TRUE(m_category->InsertItem(std::move(item)));
    EXPECT_EQ(m_category, m_category->m_items[0]->m_category);
}

TEST_F(CategoryTest, FindItemIndexIgnoresAsciiCase)
{
    ASSERT_TRUE(Insert(L"Mail"));
    ASSERT_TRUE(Insert(L"apple"));
    EXPECT_EQ(0, m_category->FindItemIndex(L"APPLE"));
    EXPECT_EQ(1, m_category->FindItemIndex(L"mail"));
    EXPECT_EQ(-1, m_category->FindItemIndex(L"Mai"));
    EXPECT_TRUE(m_category->HasItem(L"MAIL"));
    EXPECT_FALSE(m_category->HasItem(L"Zip"));
}

TEST_F(CategoryTest, DeleteItemClosesTheGap)
{
    for (const wchar_t* name : {L"a", L"b", L"c", L"d"})
        ASSERT_TRUE(Insert(name));
    m_category->DeleteItem(L"B");
    const std::vector<std::wstring> expected = {L"a", L"c", L"d"};
    EXPECT_EQ(expected, Names());
    EXPECT_EQ(1, m_category->FindItemIndex(L"c"));
}

TEST_F(CategoryTest, DeleteItemOfAnUnknownNameChangesNothing)
{
    ASSERT_TRUE(Insert(L"a"));
    ASSERT_TRUE(Insert(L"b"));
    m_category->DeleteItem(L"x");
    const std::vector<std::wstring> expected = {L"a", L"b"};
    EXPECT_EQ(expected, Names());
}

TEST_F(CategoryTest, SortItemsFollowsARename)
{
    ASSERT_TRUE(Insert(L"alpha"));
    ASSERT_TRUE(Insert(L"beta"));
    m_category->m_items[0]->m_name = L"Gamma";
    m_category->SortItems();
    const std::vector<std::wstring> expected = {L"beta", L"Gamma"};
    EXPECT_EQ(expected, Names());
}
