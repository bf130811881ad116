#include "tests/unit/store/CatalogueStoreTest.h"

#include <algorithm>
#include <memory>
#include <sstream>

#include "catalogue/ApplicationItem.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FolderItem.h"
#include "catalogue/ShortcutItem.h"
#include "store/CatalogueStore.h"

namespace
{
// Failure messages stay readable with paths of thousands of characters.
constexpr std::size_t ShownLength = 48;

std::string Narrow(const std::wstring& text)
{
    std::wstring shown = text.substr(0, ShownLength);
    if (text.size() > ShownLength)
        shown += L"...(" + std::to_wstring(text.size()) + L" characters)";
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, shown.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(std::max(size, 1)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, shown.c_str(), -1, narrow.data(), size, nullptr, nullptr);
    narrow.resize(narrow.size() - 1);
    return narrow;
}

std::string Describe(const ListContent& content)
{
    std::ostringstream text;
    for (const auto& [category, entries] : content)
    {
        text << "\n  [" << Narrow(category) << "]";
        for (const auto& [name, entry] : entries)
            text << "\n    " << Narrow(name) << ": \"" << Narrow(entry.path) << "\" \""
                 << Narrow(entry.arguments) << "\" \"" << Narrow(entry.startIn) << "\" 0x"
                 << std::hex << entry.hotKey << std::dec;
    }
    return content.empty() ? " (empty)" : text.str();
}

std::unique_ptr<CListItem> MakeItem(const CCategorizedList& list, const std::wstring& name,
                                    CCategory* category, const StoredEntry& entry)
{
    if (dynamic_cast<const CFolderCategorizedList*>(&list))
        return std::make_unique<CFolderItem>(name, category, entry.path, nullptr);
    if (dynamic_cast<const CShortcutCategorizedList*>(&list))
        return std::make_unique<CShortcutItem>(name, category, entry.path, entry.arguments,
                                               entry.startIn, entry.hotKey, nullptr);
    return std::make_unique<CApplicationItem>(name, category, entry.path, entry.arguments,
                                              entry.startIn, entry.hotKey, nullptr);
}
} // namespace

bool operator==(const StoredEntry& left, const StoredEntry& right)
{
    return left.path == right.path && left.arguments == right.arguments &&
           left.startIn == right.startIn && left.hotKey == right.hotKey;
}

ListContent ContentOf(const CCategorizedList& list)
{
    ListContent content;
    for (const std::unique_ptr<CCategory>& category : list.m_categories)
    {
        auto& entries = content[category->m_name];
        for (const std::unique_ptr<CListItem>& item : category->m_items)
            entries[item->GetName()] = {item->GetPath(), item->GetArguments(), item->GetStartIn(),
                                        item->GetHotKey()};
    }
    return content;
}

CatalogueContent ContentOf(const CCatalogue& catalogue)
{
    return {ContentOf(catalogue.m_applications), ContentOf(catalogue.m_folders),
            ContentOf(catalogue.m_shortcuts)};
}

void Fill(CCategorizedList& list, const ListContent& content)
{
    for (const auto& [name, entries] : content)
    {
        CCategory* category = list.AddCategory(name);
        for (const auto& [itemName, entry] : entries)
            ASSERT_TRUE(category->InsertItem(MakeItem(list, itemName, category, entry)))
                << Narrow(itemName);
    }
}

void Fill(CCatalogue& catalogue, const CatalogueContent& content)
{
    Fill(catalogue.m_applications, content.applications);
    Fill(catalogue.m_folders, content.folders);
    Fill(catalogue.m_shortcuts, content.shortcuts);
}

CatalogueContent LoadStoredCatalogue()
{
    CCatalogue catalogue;
    LoadApplications(catalogue.m_applications);
    LoadFolders(catalogue.m_folders);
    LoadShortcuts(catalogue.m_shortcuts);
    return ContentOf(catalogue);
}

testing::AssertionResult IsContent(const ListContent& actual, const ListContent& expected)
{
    if (actual == expected)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "content is" << Describe(actual) << "\nexpected" << Describe(expected);
}

testing::AssertionResult IsContent(const CatalogueContent& actual, const CatalogueContent& expected)
{
    const std::pair<const char*, std::pair<const ListContent*, const ListContent*>> lists[] = {
        {"applications", {&actual.applications, &expected.applications}},
        {"folders", {&actual.folders, &expected.folders}},
        {"shortcuts", {&actual.shortcuts, &expected.shortcuts}}};
    for (const auto& [kind, pair] : lists)
    {
        testing::AssertionResult result = IsContent(*pair.first, *pair.second);
        if (!result)
            return result << "\nin the " << kind;
    }
    return testing::AssertionSuccess();
}

std::vector<std::wstring> DumpCatalogueStore()
{
    std::vector<std::wstring> lines;
    for (const wchar_t* key : {L"Applications\\Category", L"Folders\\Category",
                               L"Shortcuts\\Category", L"CatalogueStaging"})
    {
        const std::vector<std::wstring> tree = DumpTree(RootPath(key));
        lines.insert(lines.end(), tree.begin(), tree.end());
    }
    return lines;
}

std::wstring ItemKeyPath(const std::wstring& kindPath, const std::wstring& category,
                         const std::wstring& item)
{
    return RootPath(kindPath + category + L"\\" + item);
}

void WriteRawList(const std::wstring& kindPath, const ListContent& content)
{
    for (const auto& [category, entries] : content)
    {
        ASSERT_EQ(ERROR_SUCCESS, CreateRawKey(kindPath + category));
        for (const auto& [name, entry] : entries)
        {
            const std::wstring path = kindPath + category + L"\\" + name;
            ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(path, L"ItemPath", entry.path));
            ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(path, L"Arguments", entry.arguments));
            ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(path, L"StartIn", entry.startIn));
            ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(path, L"HotKey", entry.hotKey));
        }
    }
}

void CatalogueStoreTest::TearDown()
{
    SetCatalogueWriteHook(nullptr);
    StoreTest::TearDown();
}
