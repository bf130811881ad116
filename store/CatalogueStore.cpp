// A save never touches the stored lists until a complete copy of the new ones
// exists. It writes the lists under the staging key, with the same layout as
// under the root, and then marks the staging key complete with one value. Only
// then are the live kind keys replaced, written from the lists in memory the
// same way they were staged, which costs far fewer calls than copying the
// staged keys; the mark is removed and the staging key deleted last. Recovery,
// at start-up and before every save, redoes the replacement by copying a
// complete staging key (it is idempotent, so a crash during it or during the
// save's own replacement is harmless) and deletes an incomplete one.
// The live layout is the one earlier versions wrote and read, so stores written
// by them or by hand load the same.

#include "store/CatalogueStore.h"

#include <memory>
#include <vector>

#include "catalogue/ApplicationCategorizedList.h"
#include "catalogue/ApplicationItem.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Category.h"
#include "catalogue/FolderCategorizedList.h"
#include "catalogue/FolderItem.h"
#include "catalogue/ShortcutCategorizedList.h"
#include "catalogue/ShortcutItem.h"
#include "store/RegistryKey.h"
#include "store/RegistryNames.h"
#include "store/RegistryTree.h"
#include "store/SettingsStore.h"

namespace
{
// Names are stored whole up to the registry's limit for a key name. Typed names stop at
// 100 characters, but names of dropped files and of keys written by other programs run
// longer; cut at 100 they came back changed, and two alike in their first 100
// characters were written into one key and lost one entry's values.
constexpr std::size_t MaxStoredNameLength = 255;

const wchar_t* const StoredKindPaths[] = {ApplicationsKindPath, FoldersKindPath, ShortcutsKindPath};

void (*g_writeHook)() = nullptr;

void BeforeWrite()
{
    if (g_writeHook)
        g_writeHook();
}

const wchar_t* KindPathOf(ListKind kind)
{
    switch (kind)
    {
    case ListKind::Folders:
        return FoldersKindPath;
    case ListKind::Shortcuts:
        return ShortcutsKindPath;
    default:
        return ApplicationsKindPath;
    }
}

std::wstring LivePath(const wchar_t* kindPath)
{
    return std::wstring(RegistryRoot) + kindPath;
}

std::wstring StagingRootPath()
{
    return std::wstring(RegistryRoot) + CatalogueStagingKey;
}

std::wstring StagedPath(const wchar_t* kindPath)
{
    return StagingRootPath() + kindPath;
}

std::wstring StoredName(const std::wstring& name)
{
    return name.substr(0, MaxStoredNameLength);
}

bool DeleteTree(const std::wstring& path)
{
    const LONG result = DeleteRegistryTree(HKEY_CURRENT_USER, path, BeforeWrite);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

// --- Loading ---

std::unique_ptr<CListItem> MakeItem(ListKind kind, CCategory* category, const StoredItem& stored)
{
    switch (kind)
    {
    case ListKind::Folders:
        return std::make_unique<CFolderItem>(stored.name, category, stored.path, nullptr);
    case ListKind::Shortcuts:
        return std::make_unique<CShortcutItem>(stored.name, category, stored.path, stored.arguments,
                                               stored.startIn, stored.hotKey, nullptr);
    default:
        return std::make_unique<CApplicationItem>(stored.name, category, stored.path,
                                                  stored.arguments, stored.startIn, stored.hotKey,
                                                  nullptr);
    }
}

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

bool IsStagingComplete()
{
    CRegistryKey staging;
    DWORD complete = 0;
    return staging.Open(HKEY_CURRENT_USER, StagingRootPath().c_str(), KEY_READ) == ERROR_SUCCESS &&
           staging.QueryDword(StagingCompleteValue, complete) == ERROR_SUCCESS;
}

// While a finished save cannot be applied, its staged copy is the newest
// complete one of the kinds it holds.
std::wstring NewestKindPath(const wchar_t* kindPath)
{
    CRegistryKey staged;
    if (RecoverCatalogueStore() || !IsStagingComplete() ||
        staged.Open(HKEY_CURRENT_USER, StagedPath(kindPath).c_str(), KEY_READ) != ERROR_SUCCESS)
        return LivePath(kindPath);
    return StagedPath(kindPath);
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
    if (kindKey.Open(HKEY_CURRENT_USER, NewestKindPath(KindPathOf(kind)).c_str(), KEY_READ) !=
        ERROR_SUCCESS)
        return;
    for (const std::wstring& name : EnumerateSubkeyNames(kindKey.Get()))
    {
        CRegistryKey categoryKey;
        if (categoryKey.Open(kindKey.Get(), name.c_str(), KEY_READ) == ERROR_SUCCESS)
            take({name, ReadItems(categoryKey.Get())});
    }
}

CCategory* AddStoredCategory(CCategorizedList& list, ListKind kind, const StoredCategory& stored)
{
    CCategory* category = list.AddCategory(stored.name);
    // A name already taken in the category is dropped by InsertItem.
    for (const StoredItem& item : stored.items)
        category->InsertItem(MakeItem(kind, category, item));
    return category;
}

namespace
{
// --- Saving ---

bool WriteItem(HKEY categoryKey, const CListItem& item)
{
    BeforeWrite();
    CRegistryKey itemKey;
    if (itemKey.Create(categoryKey, StoredName(item.GetName()).c_str(), KEY_WRITE) != ERROR_SUCCESS)
        return false;
    BeforeWrite();
    bool written = itemKey.SetString(ItemPathValue, item.GetPath()) == ERROR_SUCCESS;
    BeforeWrite();
    written = itemKey.SetString(ArgumentsValue, item.GetArguments()) == ERROR_SUCCESS && written;
    BeforeWrite();
    written = itemKey.SetString(StartInValue, item.GetStartIn()) == ERROR_SUCCESS && written;
    BeforeWrite();
    return itemKey.SetDword(HotKeyValue, item.GetHotKey()) == ERROR_SUCCESS && written;
}

// A category or entry that cannot be written is skipped; the others are written.
bool WriteCategory(HKEY kindKey, const CCategory& category)
{
    BeforeWrite();
    CRegistryKey categoryKey;
    if (categoryKey.Create(kindKey, StoredName(category.m_name).c_str(), KEY_WRITE) !=
        ERROR_SUCCESS)
        return false;
    bool written = true;
    for (const std::unique_ptr<CListItem>& item : category.m_items)
        written = WriteItem(categoryKey.Get(), *item) && written;
    return written;
}

// Into a kind key that holds nothing yet. The kind key is created on its own,
// as recovery creates it before copying the staged categories into it.
bool WriteList(const CCategorizedList& list, const std::wstring& kindPath)
{
    if (list.m_categories.empty())
        return true;
    BeforeWrite();
    CRegistryKey kindKey;
    if (kindKey.Create(HKEY_CURRENT_USER, kindPath.c_str(), KEY_WRITE) != ERROR_SUCCESS)
        return false;
    bool written = true;
    for (const std::unique_ptr<CCategory>& category : list.m_categories)
        written = WriteCategory(kindKey.Get(), *category) && written;
    return written;
}

struct ListToSave
{
    const CCategorizedList& list;
    const wchar_t* kindPath;
};

// The staged kind key exists even for an empty list: it tells recovery that
// the live kind key is to be deleted.
bool StageList(const ListToSave& save)
{
    const std::wstring path = StagedPath(save.kindPath);
    if (!save.list.m_categories.empty())
        return SaveList(save.list, path);
    BeforeWrite();
    CRegistryKey kindKey;
    return kindKey.Create(HKEY_CURRENT_USER, path.c_str(), KEY_WRITE) == ERROR_SUCCESS;
}

bool MarkStagingComplete()
{
    BeforeWrite();
    CRegistryKey staging;
    return staging.Open(HKEY_CURRENT_USER, StagingRootPath().c_str(), KEY_SET_VALUE) ==
               ERROR_SUCCESS &&
           staging.SetDword(StagingCompleteValue, 1) == ERROR_SUCCESS;
}

// Unmarked first: a staging key cut short while it is deleted must not count
// as complete.
bool DropAppliedStaging()
{
    BeforeWrite();
    CRegistryKey staging;
    if (staging.Open(HKEY_CURRENT_USER, StagingRootPath().c_str(), KEY_SET_VALUE) !=
            ERROR_SUCCESS ||
        staging.DeleteValue(StagingCompleteValue) != ERROR_SUCCESS)
        return false;
    staging.Close();
    return DeleteTree(StagingRootPath());
}

// Stops at the first kind it cannot replace whole; the staged copy then
// replaces them all again.
bool WriteLiveLists(std::initializer_list<ListToSave> lists)
{
    for (const ListToSave& save : lists)
    {
        const std::wstring path = LivePath(save.kindPath);
        if (!DeleteTree(path) || !WriteList(save.list, path))
            return false;
    }
    return true;
}

// An entry that could not be staged is missing from the new lists, as it would
// be after a save in place; everything else still replaces the old lists.
bool SaveStaged(std::initializer_list<ListToSave> lists)
{
    if (!RecoverCatalogueStore())
        return false;
    bool written = true;
    for (const ListToSave& save : lists)
        written = StageList(save) && written;
    if (!MarkStagingComplete())
    {
        DeleteTree(StagingRootPath());
        return false;
    }
    // From here on a complete copy exists, and recovery finishes the save
    // wherever it is cut short.
    if (!WriteLiveLists(lists))
        return RecoverCatalogueStore() && written;
    return DropAppliedStaging() && written;
}

// --- Recovery ---

bool ReplaceLiveKind(const wchar_t* kindPath)
{
    CRegistryKey staged;
    if (staged.Open(HKEY_CURRENT_USER, StagedPath(kindPath).c_str(), KEY_READ) != ERROR_SUCCESS)
        return true;
    if (!DeleteTree(LivePath(kindPath)))
        return false;
    if (!HasRegistryContent(staged.Get()))
        return true;
    BeforeWrite();
    CRegistryKey live;
    if (live.Create(HKEY_CURRENT_USER, LivePath(kindPath).c_str(), KEY_WRITE) != ERROR_SUCCESS)
        return false;
    return CopyRegistryTree(staged.Get(), live.Get(), BeforeWrite) == ERROR_SUCCESS;
}

bool ReplaceLiveKinds()
{
    bool replaced = true;
    for (const wchar_t* kindPath : StoredKindPaths)
        replaced = ReplaceLiveKind(kindPath) && replaced;
    return replaced;
}
} // namespace

bool RecoverCatalogueStore()
{
    if (IsStagingComplete())
        return ReplaceLiveKinds() && DropAppliedStaging();
    return DeleteTree(StagingRootPath());
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

bool SaveCatalogue(const CCatalogue& catalogue)
{
    return SaveStaged({{catalogue.m_applications, ApplicationsKindPath},
                       {catalogue.m_folders, FoldersKindPath},
                       {catalogue.m_shortcuts, ShortcutsKindPath}});
}

bool SaveApplications(const CApplicationCategorizedList& list)
{
    return SaveStaged({{list, ApplicationsKindPath}});
}

bool SaveFolders(const CFolderCategorizedList& list)
{
    return SaveStaged({{list, FoldersKindPath}});
}

bool SaveShortcuts(const CShortcutCategorizedList& list)
{
    return SaveStaged({{list, ShortcutsKindPath}});
}

bool SaveList(const CCategorizedList& list, const std::wstring& kindPath)
{
    const bool deleted = DeleteTree(kindPath);
    return WriteList(list, kindPath) && deleted;
}

void SetCatalogueWriteHook(void (*hook)())
{
    g_writeHook = hook;
}
