#include "catalogue/ApplicationCategorizedList.h"
#include "catalogue/FolderCategorizedList.h"
#include "catalogue/NoteCategorizedList.h"
#include "catalogue/ShortcutCategorizedList.h"
#include "tests/support/unit/HostWindow.h"
#include "views/ApplicationCategoryWindow.h"
#include "views/FolderCategoryWindow.h"
#include "views/NoteCategoryWindow.h"
#include "views/ShortcutCategoryWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
std::vector<std::wstring> Names(const CCategorizedList& list)
{
    std::vector<std::wstring> names;
    for (const auto& category : list.m_categories)
        names.push_back(category->m_name);
    return names;
}

void AddAll(CCategorizedList& list, const std::vector<std::wstring>& names)
{
    for (const std::wstring& name : names)
        list.AddCategory(name);
}

// The header must be a hidden 140 x 22 "ListItem" child of the parent, at (0, 0), whose
// object is of the kind's class.
template <typename TWindow> void ExpectHeader(const CCategory& category, HWND parent, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    ASSERT_NE(nullptr, category.m_window);
    EXPECT_NE(nullptr, dynamic_cast<TWindow*>(category.m_window.get()));
    EXPECT_EQ(&category, category.m_window->m_category);
    const HWND hWnd = category.m_window->GetHwnd();
    ASSERT_TRUE(IsWindow(hWnd));
    EXPECT_EQ(parent, GetParent(hWnd));
    wchar_t className[32] = {};
    GetClassNameW(hWnd, className, ARRAYSIZE(className));
    EXPECT_STREQ(L"ListItem", className);
    EXPECT_FALSE(IsWindowVisible(hWnd));
    RECT rect = {-1, -1, -1, -1};
    GetWindowRect(hWnd, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(140, rect.right - rect.left);
    EXPECT_EQ(22, rect.bottom - rect.top);
}
} // namespace

TEST(CategorizedList, NewCategoryGoesBeforeTheFirstGreaterNameCaseSensitively)
{
    CApplicationCategorizedList list;
    AddAll(list, {L"b", L"A", L"c"});
    EXPECT_EQ((std::vector<std::wstring>{L"A", L"b", L"c"}), Names(list));

    // Upper-case letters come before all lower-case ones when inserting...
    CShortcutCategorizedList shortcuts;
    AddAll(shortcuts, {L"Zeta", L"alpha", L"Beta"});
    EXPECT_EQ((std::vector<std::wstring>{L"Beta", L"Zeta", L"alpha"}), Names(shortcuts));
    // ...and the display order that the layout applies is the lower-case one.
    shortcuts.SortCategories();
    EXPECT_EQ((std::vector<std::wstring>{L"alpha", L"Beta", L"Zeta"}), Names(shortcuts));
}

TEST(CategorizedList, AddCategoryLeavesUniquenessToItsCallers)
{
    CFolderCategorizedList list;
    AddAll(list, {L"Tools", L"TOOLS", L"Tools"});
    EXPECT_EQ((std::vector<std::wstring>{L"TOOLS", L"Tools", L"Tools"}), Names(list));
}

TEST(CategorizedList, NotesAreAppended)
{
    CNoteCategorizedList notes;
    AddAll(notes, {L"b", L"A", L"c"});
    EXPECT_EQ((std::vector<std::wstring>{L"b", L"A", L"c"}), Names(notes));
}

TEST(CategorizedList, CategoryKnowsItsList)
{
    CApplicationCategorizedList list;
    const CCategory* category = list.AddCategory(L"Games");
    ASSERT_NE(nullptr, category);
    EXPECT_EQ(&list, category->m_list);
    EXPECT_EQ(L"Games", category->m_name);
    EXPECT_TRUE(category->m_items.empty());
    EXPECT_EQ(nullptr, category->m_window) << "no parent window, no header";
}

TEST(CategorizedList, FindCategoryIgnoresAsciiCase)
{
    CApplicationCategorizedList list;
    AddAll(list, {L"Games", L"Tools"});
    EXPECT_EQ(1, list.FindCategoryIndex(L"TOOLS"));
    EXPECT_EQ(-1, list.FindCategoryIndex(L"Tool"));
    EXPECT_EQ(list.m_categories[0].get(), list.FindCategory(L"games"));
    EXPECT_EQ(nullptr, list.FindCategory(L"\u00C9"));
}

TEST(CategorizedList, DeleteCategoryClosesTheGap)
{
    CApplicationCategorizedList list;
    AddAll(list, {L"a", L"b", L"c"});
    list.DeleteCategory(L"B");
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"c"}), Names(list));
    list.DeleteCategory(L"x");
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"c"}), Names(list));
}

TEST(CategorizedList, EachKindCreatesItsHeaderInTheParentWindow)
{
    CListItemWindow::RegisterListItemClass();
    test_support::CHostWindow host({50, 50, 450, 250});
    CApplicationCategorizedList applications;
    CShortcutCategorizedList shortcuts;
    CFolderCategorizedList folders;
    CNoteCategorizedList notes;
    for (CCategorizedList* list :
         std::vector<CCategorizedList*>{&applications, &shortcuts, &folders, &notes})
        list->m_parentWindow = host.GetHwnd();

    ExpectHeader<CApplicationCategoryWindow>(*applications.AddCategory(L"A"), host.GetHwnd(),
                                             __LINE__);
    ExpectHeader<CShortcutCategoryWindow>(*shortcuts.AddCategory(L"S"), host.GetHwnd(), __LINE__);
    ExpectHeader<CFolderCategoryWindow>(*folders.AddCategory(L"F"), host.GetHwnd(), __LINE__);
    ExpectHeader<CNoteCategoryWindow>(*notes.AddCategory(L"N"), host.GetHwnd(), __LINE__);
}

TEST(CategorizedList, DeletingACategoryDestroysItsHeader)
{
    CListItemWindow::RegisterListItemClass();
    test_support::CHostWindow host({50, 50, 450, 250});
    CApplicationCategorizedList list;
    list.m_parentWindow = host.GetHwnd();
    const HWND header = list.AddCategory(L"Games")->m_window->GetHwnd();
    ASSERT_TRUE(IsWindow(header));
    list.DeleteCategory(L"games");
    EXPECT_FALSE(IsWindow(header));
}
