// The live layout is the one earlier versions wrote and read, so stores written by
// them or by hand load the same. Whole saves go through staged copies
// (CatalogueStaging.cpp), single edits through a journal (CatalogueJournal.cpp).

#include "store/CatalogueStore.h"

#include "store/CatalogueStaging.h"

#include <memory>
#include <vector>

#include "catalogue/ApplicationCategorizedList.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Category.h"
#include "catalogue/FolderCategorizedList.h"
#include "catalogue/EntryKind.h"
#include "catalogue/NameOrder.h"
#include "catalogue/ShortcutCategorizedList.h"
#include "store/RegistryKey.h"
#include "store/RegistryNames.h"
#include "store/RegistryTree.h"
#include "store/SettingsStore.h"
#include "store/StoredWrites.h"

namespace
{
// --- Loading ---

// Strings are read whole, whatever their length; data of another type is read
// as text as it always was.
std::wstring ReadItemString(const CRegistryKey& key, const wchar_t* name)
{
    std::wstring value;
    if (key.QueryString(name, value) != ERROR_SUCCESS)
        ReadStringValue(name, key.Get(), value);
    return value;
}

StoredItem ReadStoredItem(const std::wstring& name, const CRegistryKey& key)
{
    StoredItem stored;
    stored.name = name;
    stored.path = ReadItemString(key, ItemPathValue);
    stored.arguments = ReadItemString(key, ArgumentsValue);
    stored.startIn = ReadItemString(key, StartInValue);
    DWORD hotKey = 0;
    key.QueryDword(HotKeyValue, hotKey);
    stored.hotKey = LOWORD(hotKey);
    return stored;
}

std::vector<StoredItem> ReadItems(HKEY categoryKey)
{
    std::vector<StoredItem> items;
    for (const std::wstring& name : EnumerateSubkeyNames(categoryKey))
    {
        CRegistryKey itemKey;
        if (itemKey.Open(categoryKey, name.c_str(), KEY_READ) == ERROR_SUCCESS)
            items.push_back(ReadStoredItem(name, itemKey));
    }
    return items;
}

void LoadList(CCategorizedList& list, ListKind kind)
{
    ReadStoredCategories(kind, [&list, kind](StoredCategory&& stored)
                         { AddStoredCategory(list, kind, stored); });
}
} // namespace

void ReadStoredCategories(ListKind kind, const std::function<void(StoredCategory&&)>& take)
{
    CRegistryKey kindKey;
    if (kindKey.Open(HKEY_CURRENT_USER, NewestKindPath(kind).c_str(), KEY_READ) != ERROR_SUCCESS)
        return;
    for (const std::wstring& name : EnumerateSubkeyNames(kindKey.Get()))
    {
        CRegistryKey categoryKey;
        if (categoryKey.Open(kindKey.Get(), name.c_str(), KEY_READ) == ERROR_SUCCESS)
            take({name, ReadItems(categoryKey.Get())});
    }
}

// Two keys that the registry tells apart but the catalogue's name equality does not are
// one category: the second one's entries join the first.
CCategory* AddStoredCategory(CCategorizedList& list, ListKind kind, const StoredCategory& stored,
                             bool* asStored)
{
    CCategory* category = list.FindCategory(stored.name);
    const bool joined = category != nullptr;
    if (!category)
        category = list.AddCategory(stored.name);
    if (!category)
    {
        if (asStored)
            *asStored = false;
        return nullptr;
    }
    // A name already taken in the category is dropped by InsertItem.
    const EntryKind& entryKind = KindOf(kind);
    size_t inserted = 0;
    for (const StoredItem& item : stored.items)
    {
        const EntryFields fields{item.name, item.path, item.arguments, item.startIn, item.hotKey};
        inserted += category->InsertItem(entryKind.make(fields, category, nullptr)) ? 1 : 0;
    }
    if (asStored && (joined || inserted != stored.items.size() || category->m_name != stored.name))
        *asStored = false;
    return category;
}

void LoadApplications(CApplicationCategorizedList& list)
{
    LoadList(list, ListKind::Applications);
}

void LoadFolders(CFolderCategorizedList& list)
{
    LoadList(list, ListKind::Folders);
}

void LoadShortcuts(CShortcutCategorizedList& list)
{
    LoadList(list, ListKind::Shortcuts);
}

StoredItem StoredItemOf(const CListItem& item)
{
    return {item.GetName(), item.GetPath(), item.GetArguments(), item.GetStartIn(),
            item.GetHotKey()};
}

StoredCategory StoredCategoryOf(const CCategory& category)
{
    StoredCategory stored{category.m_name, {}};
    stored.items.reserve(category.m_items.size());
    for (const std::unique_ptr<CListItem>& item : category.m_items)
        stored.items.push_back(StoredItemOf(*item));
    return stored;
}

StoredList StoredListOf(ListKind kind, const CCategorizedList& list)
{
    StoredList stored{kind, {}};
    stored.categories.reserve(list.m_categories.size());
    for (const std::unique_ptr<CCategory>& category : list.m_categories)
        stored.categories.push_back(StoredCategoryOf(*category));
    return stored;
}

std::vector<StoredList> StoredCatalogueOf(const CCatalogue& catalogue)
{
    // In the order earlier versions saved the lists.
    constexpr ListKind SaveOrder[] = {ListKind::Applications, ListKind::Folders,
                                      ListKind::Shortcuts};
    std::vector<StoredList> lists;
    for (const ListKind kind : SaveOrder)
        lists.push_back(StoredListOf(kind, catalogue.GetList(kind)));
    return lists;
}

bool SaveCatalogue(const CCatalogue& catalogue)
{
    return SaveStoredLists(StoredCatalogueOf(catalogue));
}

bool SaveApplications(const CApplicationCategorizedList& list)
{
    return SaveStoredLists({StoredListOf(ListKind::Applications, list)});
}

bool SaveFolders(const CFolderCategorizedList& list)
{
    return SaveStoredLists({StoredListOf(ListKind::Folders, list)});
}

bool SaveShortcuts(const CShortcutCategorizedList& list)
{
    return SaveStoredLists({StoredListOf(ListKind::Shortcuts, list)});
}

bool SaveList(const CCategorizedList& list, const std::wstring& kindPath)
{
    const bool deleted = DeleteCatalogueTree(kindPath);
    return WriteStoredCategories(StoredListOf(ListKind::Applications, list).categories, kindPath) &&
           deleted;
}
