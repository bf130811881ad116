#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "catalogue/Catalogue.h"
#include "store/CatalogueStore.h"
#include "tests/unit/store/CatalogueStoreTest.h"
#include "tests/unit/store/SampleCatalogue.h"

namespace
{
class CatalogueStoreLoad : public CatalogueStoreTest
{
protected:
    std::wstring Item(const std::wstring& category, const std::wstring& item) const
    {
        return ItemKeyPath(ApplicationsKind, category, item);
    }

    void WriteEntry(const std::wstring& category, const std::wstring& item,
                    const StoredEntry& entry) const
    {
        const std::wstring path = ItemKeyPath(ApplicationsKind, category, item);
        ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(path, L"ItemPath", entry.path));
        ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(path, L"Arguments", entry.arguments));
        ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(path, L"StartIn", entry.startIn));
        ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(path, L"HotKey", entry.hotKey));
    }

    // Loads the applications and checks the one entry "Tools\Entry".
    void ExpectEntry(const StoredEntry& expected) const
    {
        CApplicationCategorizedList list;
        LoadApplications(list);
        EXPECT_TRUE(IsContent(ContentOf(list), {{L"Tools", {{L"Entry", expected}}}}));
    }

    void ExpectHotKey(DWORD type, const void* data, DWORD size, WORD expected) const
    {
        SCOPED_TRACE(testing::Message() << "type " << type << ", " << size << " bytes");
        ASSERT_EQ(ERROR_SUCCESS,
                  WriteRawValue(Item(L"Tools", L"Entry"), L"HotKey", type, data, size));
        ExpectEntry({L"", L"", L"", expected});
    }
};

TEST_F(CatalogueStoreLoad, NothingStoredLoadsNothing)
{
    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), {}));
}

TEST_F(CatalogueStoreLoad, LayoutWrittenByHand)
{
    WriteEntry(L"Tools", L"Editor", {L"C:\\Tools\\edit.exe", L"/n", L"C:\\Work", 0x641});
    WriteEntry(L"Tools", L"Shell", {L"C:\\Windows\\cmd.exe", L"", L"", 0});
    WriteEntry(L"Games", L"Chess", {L"C:\\Games\\chess.exe", L"-fast", L"", 0x0275});
    ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(ItemKeyPath(ShortcutsKind, L"Docs", L"Manual"),
                                              L"ItemPath", L"C:\\Docs\\manual.lnk"));
    ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(ItemKeyPath(FoldersKind, L"Places", L"Home"),
                                              L"ItemPath", L"C:\\users"));

    CatalogueContent expected = SampleCatalogue();
    expected.shortcuts = {{L"Docs", {{L"Manual", {L"C:\\Docs\\manual.lnk", L"", L"", 0}}}}};
    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), expected));
}

TEST_F(CatalogueStoreLoad, EntriesAreSortedAndWithoutWindows)
{
    for (const wchar_t* name : {L"Zip", L"apple", L"Mail"})
        ASSERT_EQ(ERROR_SUCCESS, CreateRawKey(Item(L"Tools", name)));
    CApplicationCategorizedList list;
    LoadApplications(list);
    ASSERT_EQ(1u, list.m_categories.size());
    const CCategory& category = *list.m_categories[0];
    EXPECT_EQ(nullptr, category.m_window.get());
    ASSERT_EQ(3u, category.m_items.size());
    const wchar_t* expected[] = {L"apple", L"Mail", L"Zip"};
    for (std::size_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ(expected[i], category.m_items[i]->GetName()) << "at " << i;
        EXPECT_EQ(&category, category.m_items[i]->m_category) << "at " << i;
        EXPECT_EQ(nullptr, category.m_items[i]->m_window.get()) << "at " << i;
    }
}

TEST_F(CatalogueStoreLoad, CategoryWithoutEntriesLoadsEmpty)
{
    ASSERT_EQ(ERROR_SUCCESS, CreateRawKey(RootPath(ApplicationsKind + L"Empty")));
    CApplicationCategorizedList list;
    LoadApplications(list);
    EXPECT_TRUE(IsContent(ContentOf(list), {{L"Empty", {}}}));
}

TEST_F(CatalogueStoreLoad, EntryWithoutValuesLoadsEmpty)
{
    ASSERT_EQ(ERROR_SUCCESS, CreateRawKey(Item(L"Tools", L"Entry")));
    ExpectEntry({L"", L"", L"", 0});
}

TEST_F(CatalogueStoreLoad, HotKeyIsTheLowWordOfAFourByteDword)
{
    const DWORD ctrlAltA = 0x641;
    ExpectHotKey(REG_DWORD, &ctrlAltA, sizeof ctrlAltA,
                 MAKEWORD('A', HOTKEYF_CONTROL | HOTKEYF_ALT));
    const DWORD upperBits = 0xabcd0641;
    ExpectHotKey(REG_DWORD, &upperBits, sizeof upperBits, 0x641);
}

TEST_F(CatalogueStoreLoad, MalformedHotKeyGivesNone)
{
    ExpectHotKey(REG_SZ, L"A", sizeof L"A", 0);
    const WORD word = 0x641;
    ExpectHotKey(REG_DWORD, &word, sizeof word, 0);
    ExpectHotKey(REG_BINARY, &word, sizeof word, 0);
    const unsigned long long wide = 0x641;
    ExpectHotKey(REG_QWORD, &wide, sizeof wide, 0);
}

TEST_F(CatalogueStoreLoad, StringsWithoutTerminator)
{
    const std::wstring path = Item(L"Tools", L"Entry");
    const wchar_t text[] = L"C:\\Tools\\edit.exe";
    for (const wchar_t* name : {L"ItemPath", L"Arguments", L"StartIn"})
        ASSERT_EQ(ERROR_SUCCESS,
                  WriteRawValue(path, name, REG_SZ, text, sizeof text - sizeof(wchar_t)));
    ExpectEntry({text, text, text, 0});
}

TEST_F(CatalogueStoreLoad, StringsUpToTheFirstNull)
{
    const wchar_t text[] = L"C:\\first.exe\0C:\\second.exe";
    ASSERT_EQ(ERROR_SUCCESS,
              WriteRawValue(Item(L"Tools", L"Entry"), L"ItemPath", REG_SZ, text, sizeof text));
    ExpectEntry({L"C:\\first.exe", L"", L"", 0});
}

// An earlier reader turned these into empty strings, which the next save kept.
TEST_F(CatalogueStoreLoad, LongStringsAreReadWhole)
{
    const std::wstring path = L"C:\\" + std::wstring(1500, L'p') + L"\\tool.exe";
    const std::wstring arguments = std::wstring(1023, L'a') + L"b";
    const std::wstring startIn = L"D:\\" + std::wstring(5000, L's');
    ASSERT_GT(path.size() * sizeof(wchar_t), 2047u);
    WriteEntry(L"Tools", L"Entry", {path, arguments, startIn, 0x641});
    ExpectEntry({path, arguments, startIn, 0x641});
}

TEST_F(CatalogueStoreLoad, LongStringWithoutTerminator)
{
    const std::wstring text(3000, L'x');
    ASSERT_EQ(ERROR_SUCCESS,
              WriteRawValue(Item(L"Tools", L"Entry"), L"Arguments", REG_SZ, text.c_str(),
                            static_cast<DWORD>(text.size() * sizeof(wchar_t))));
    ExpectEntry({L"", text, L"", 0});
}

TEST_F(CatalogueStoreLoad, OtherValueTypesReadAsText)
{
    const std::wstring path = Item(L"Tools", L"Entry");
    ASSERT_EQ(ERROR_SUCCESS, WriteRawValue(path, L"ItemPath", REG_EXPAND_SZ, L"%WINDIR%\\x.exe",
                                           sizeof L"%WINDIR%\\x.exe"));
    ASSERT_EQ(ERROR_SUCCESS, WriteRawValue(path, L"Arguments", REG_BINARY, L"-v", sizeof L"-v"));
    ASSERT_EQ(ERROR_SUCCESS, WriteRawValue(path, L"StartIn", REG_MULTI_SZ, L"C:\\\0D:\\\0",
                                           sizeof L"C:\\\0D:\\\0"));
    ExpectEntry({L"%WINDIR%\\x.exe", L"-v", L"C:\\", 0});
}

TEST_F(CatalogueStoreLoad, FolderTakesThePathOnly)
{
    const std::wstring path = ItemKeyPath(FoldersKind, L"Places", L"Home");
    ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(path, L"ItemPath", L"C:\\users"));
    ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(path, L"Arguments", L"-x"));
    ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(path, L"StartIn", L"C:\\"));
    ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(path, L"HotKey", 0x641));
    CFolderCategorizedList list;
    LoadFolders(list);
    EXPECT_TRUE(
        IsContent(ContentOf(list), {{L"Places", {{L"Home", {L"C:\\users", L"", L"", 0}}}}}));
}

// An earlier reader stopped at the first category name longer than 100
// characters, and the next save erased that category and every one after it.
TEST_F(CatalogueStoreLoad, LongNamesDoNotEndTheEnumeration)
{
    const std::wstring longCategory = L"B" + std::wstring(149, L'c');
    const std::wstring longItem = L"m" + std::wstring(254, L'n');
    for (const std::wstring& category :
         {std::wstring(L"Alpha"), longCategory, std::wstring(L"Zulu")})
        for (const std::wstring& item : {std::wstring(L"first"), longItem, std::wstring(L"zlast")})
            ASSERT_EQ(ERROR_SUCCESS,
                      WriteStringValue(Item(category, item), L"ItemPath", item + L".exe"));

    CApplicationCategorizedList list;
    LoadApplications(list);
    ListContent expected;
    for (const std::wstring& category :
         {std::wstring(L"Alpha"), longCategory, std::wstring(L"Zulu")})
        for (const std::wstring& item : {std::wstring(L"first"), longItem, std::wstring(L"zlast")})
            expected[category][item] = {item + L".exe", L"", L"", 0};
    EXPECT_TRUE(IsContent(ContentOf(list), expected));
}

TEST_F(CatalogueStoreLoad, KindsStayApart)
{
    ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(Item(L"Tools", L"Editor"), L"ItemPath", L"edit.exe"));
    CFolderCategorizedList folders;
    LoadFolders(folders);
    CShortcutCategorizedList shortcuts;
    LoadShortcuts(shortcuts);
    EXPECT_TRUE(IsContent(ContentOf(folders), {}));
    EXPECT_TRUE(IsContent(ContentOf(shortcuts), {}));
}
} // namespace
