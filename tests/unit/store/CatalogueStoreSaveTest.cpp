#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <string>

#include "catalogue/ApplicationItem.h"
#include "catalogue/Catalogue.h"
#include "store/CatalogueStore.h"
#include "tests/unit/store/CatalogueStoreTest.h"
#include "tests/unit/store/SampleCatalogue.h"

namespace
{
using CatalogueStoreSave = CatalogueStoreTest;

CatalogueContent SampleContent()
{
    CatalogueContent content = SampleCatalogue();
    content.shortcuts = {
        {L"Docs", {{L"Manual", {L"C:\\Docs\\manual.lnk", L"-p", L"C:\\Docs", 0x0341}}}}};
    return content;
}

// Saves the content through the model, as the main window does.
void Save(const CatalogueContent& content)
{
    CCatalogue catalogue;
    Fill(catalogue, content);
    ASSERT_TRUE(SaveCatalogue(catalogue));
}

TEST_F(CatalogueStoreSave, WritesTheLayout)
{
    CCatalogue catalogue;
    Fill(catalogue, SampleContent());
    ASSERT_TRUE(SaveCatalogue(catalogue));

    const std::wstring editor = ItemKeyPath(ApplicationsKind, L"Tools", L"Editor");
    EXPECT_TRUE(IsStringValue(editor, L"ItemPath", L"C:\\Tools\\edit.exe"));
    EXPECT_TRUE(IsStringValue(editor, L"Arguments", L"/n"));
    EXPECT_TRUE(IsStringValue(editor, L"StartIn", L"C:\\Work"));
    EXPECT_TRUE(IsDwordValue(editor, L"HotKey", 0x641));
    EXPECT_EQ(5u, DumpTree(editor).size()) << "the key and its four values";

    const std::wstring manual = ItemKeyPath(ShortcutsKind, L"Docs", L"Manual");
    EXPECT_TRUE(IsStringValue(manual, L"ItemPath", L"C:\\Docs\\manual.lnk"));
    EXPECT_TRUE(IsStringValue(manual, L"Arguments", L"-p"));
    EXPECT_TRUE(IsStringValue(manual, L"StartIn", L"C:\\Docs"));
    EXPECT_TRUE(IsDwordValue(manual, L"HotKey", 0x0341));

    const std::wstring home = ItemKeyPath(FoldersKind, L"Places", L"Home");
    EXPECT_TRUE(IsStringValue(home, L"ItemPath", L"C:\\users"));
    EXPECT_TRUE(IsStringValue(home, L"Arguments", L""));
    EXPECT_TRUE(IsStringValue(home, L"StartIn", L""));
    EXPECT_TRUE(IsDwordValue(home, L"HotKey", 0));
}

// No main window takes registrations here, so every hotkey stays unregistered:
// the word is stored all the same.
TEST_F(CatalogueStoreSave, UnregisteredHotKeyIsKept)
{
    CCatalogue catalogue;
    Fill(catalogue, SampleContent());
    const auto& editor = static_cast<const CApplicationItem&>(
        *catalogue.m_applications.FindCategory(L"Tools")->m_items[0]);
    ASSERT_EQ(L"Editor", editor.GetName());
    ASSERT_EQ(-1, editor.m_hotKeyId);
    ASSERT_TRUE(SaveCatalogue(catalogue));
    EXPECT_TRUE(IsDwordValue(ItemKeyPath(ApplicationsKind, L"Tools", L"Editor"), L"HotKey", 0x641));
}

TEST_F(CatalogueStoreSave, RoundTrip)
{
    CatalogueContent content = SampleContent();
    content.applications[L"Long"] = {
        {L"Entry",
         {L"C:\\" + std::wstring(3000, L'p') + L".exe", std::wstring(1024, L'a'),
          L"D:\\" + std::wstring(2000, L's'), 0x0746}}};
    content.shortcuts[L"Empty"] = {};
    Save(content);
    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), content));
}

TEST_F(CatalogueStoreSave, LeavesNoStagingAndNothingElseChanged)
{
    ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(RootPath(), L"FirstLaunch", 0));
    ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(RootPath(L"KeyShortcuts\\Show"), L"Key", 0x41));
    Save(SampleContent());
    EXPECT_FALSE(KeyExists(RootPath(L"CatalogueStaging")));
    EXPECT_TRUE(IsDwordValue(RootPath(), L"FirstLaunch", 0));
    EXPECT_TRUE(IsDwordValue(RootPath(L"KeyShortcuts\\Show"), L"Key", 0x41));
}

TEST_F(CatalogueStoreSave, ReplacesWhatWasStored)
{
    Save(SampleContent());
    CatalogueContent changed;
    changed.applications = {{L"Tools", {{L"Editor", {L"C:\\Tools\\edit2.exe", L"", L"", 0x642}}}},
                            {L"Office", {{L"Writer", {L"C:\\Office\\write.exe", L"", L"", 0}}}}};
    Save(changed);
    const std::vector<std::wstring> replaced = DumpCatalogueStore();
    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), changed));

    // Exactly what a save on a clean store writes.
    SHDeleteKeyW(HKEY_CURRENT_USER, RootPath().c_str());
    Save(changed);
    EXPECT_EQ(DumpCatalogueStore(), replaced);
}

TEST_F(CatalogueStoreSave, EmptyListDeletesItsKindKey)
{
    Save(SampleContent());
    ASSERT_TRUE(KeyExists(RootPath(FoldersKind)));
    CatalogueContent withoutFolders = SampleContent();
    withoutFolders.folders.clear();
    Save(withoutFolders);
    EXPECT_FALSE(KeyExists(RootPath(FoldersKind)));
    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), withoutFolders));
}

TEST_F(CatalogueStoreSave, NamesAreStoredWholeUpToTheKeyNameLimit)
{
    const std::wstring longName = std::wstring(149, L'c') + L"d";
    const std::wstring limit = std::wstring(254, L'e') + L"f";
    CatalogueContent content;
    content.applications = {{longName, {{limit, {L"x.exe", L"", L"", 0}}}}};
    Save(content);
    EXPECT_TRUE(KeyExists(ItemKeyPath(ApplicationsKind, longName, limit)));
    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), content));
}

TEST_F(CatalogueStoreSave, CategoriesAlikeInTheirFirstHundredCharactersStayApart)
{
    const std::wstring hundred(100, L'c');
    CatalogueContent content;
    content.applications = {
        {hundred + L"1",
         {{L"One", {L"1.exe", L"", L"", 0}}, {L"Both", {L"first.exe", L"", L"", 0}}}},
        {hundred + L"2",
         {{L"Two", {L"2.exe", L"", L"", 0}}, {L"Both", {L"second.exe", L"", L"", 0}}}}};
    Save(content);
    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), content));
}

TEST_F(CatalogueStoreSave, OneListLeavesTheOthers)
{
    Save(SampleContent());
    CApplicationCategorizedList applications;
    Fill(applications, {{L"Office", {{L"Writer", {L"write.exe", L"", L"", 0}}}}});
    ASSERT_TRUE(SaveApplications(applications));
    CFolderCategorizedList folders;
    ASSERT_TRUE(SaveFolders(folders));

    CatalogueContent expected = SampleContent();
    expected.applications = ContentOf(applications);
    expected.folders.clear();
    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), expected));

    CShortcutCategorizedList shortcuts;
    Fill(shortcuts, {{L"Web", {{L"Search", {L"search.url", L"", L"", 0x0753}}}}});
    ASSERT_TRUE(SaveShortcuts(shortcuts));
    expected.shortcuts = ContentOf(shortcuts);
    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), expected));
    EXPECT_FALSE(KeyExists(RootPath(L"CatalogueStaging")));
}

TEST_F(CatalogueStoreSave, ListInPlace)
{
    CShortcutCategorizedList shortcuts;
    Fill(shortcuts, {{L"Web", {{L"Search", {L"search.url", L"-q", L"C:\\", 0x0753}}}}});
    const std::wstring kindPath = RootPath(L"Elsewhere\\Category\\");
    ASSERT_EQ(ERROR_SUCCESS, CreateRawKey(kindPath + L"Old"));
    ASSERT_TRUE(SaveList(shortcuts, kindPath));
    EXPECT_FALSE(KeyExists(kindPath + L"Old"));
    EXPECT_TRUE(IsStringValue(kindPath + L"Web\\Search", L"ItemPath", L"search.url"));
    EXPECT_TRUE(IsDwordValue(kindPath + L"Web\\Search", L"HotKey", 0x0753));

    CShortcutCategorizedList empty;
    ASSERT_TRUE(SaveList(empty, kindPath));
    EXPECT_FALSE(KeyExists(kindPath));
}

// A name the registry refuses as a key name costs only that entry, and the
// save says that not everything was written.
// The catalogue refuses such names; were one handed to the store all the same, it would
// be skipped and reported, never nested nor written into its parent key.
TEST_F(CatalogueStoreSave, NamesNoKeyCanHoldAreSkippedNotNested)
{
    CatalogueContent content;
    content.applications = {{L"Tools", {{L"Editor", {L"edit.exe", L"", L"", 0}}}}};
    CCatalogue catalogue;
    Fill(catalogue, content);
    CCategory* tools = catalogue.m_applications.FindCategory(L"Tools");
    ASSERT_NE(nullptr, tools);
    for (const wchar_t* name : {L"\\Leading", L"Work\\Home", L""})
        tools->m_items.push_back(
            std::make_unique<CApplicationItem>(name, tools, L"bad.exe", L"", L"", 0, nullptr));
    catalogue.m_applications.m_categories.push_back(
        std::make_unique<CCategory>(L"Work\\Home", &catalogue.m_applications));
    EXPECT_FALSE(SaveCatalogue(catalogue));

    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), content));
    EXPECT_FALSE(KeyExists(RootPath(ApplicationsKind) + L"Work"));
    EXPECT_FALSE(KeyExists(ItemKeyPath(ApplicationsKind, L"Tools", L"Work")));
    EXPECT_TRUE(IsValueAbsent(RootPath(ApplicationsKind) + L"Tools", L"ItemPath"));
}
} // namespace
