// A save never touches the stored lists until a complete copy of the new ones
// exists. It writes the lists under a staging key, with the same layout as
// under the root, and then marks the staging key complete with one value. Only
// then are the live kind keys replaced, written from the lists in memory the
// same way they were staged, which costs far fewer calls than copying the
// staged keys; the mark is removed and the staging key deleted last. Recovery,
// at start-up and before every save, redoes the replacement by copying a
// complete staging key (it is idempotent, so a crash during it or during the
// save's own replacement is harmless) and deletes an incomplete one.
// A live kind key that cannot be replaced leaves its complete staged copy in
// place, and the loaders read that copy. The next save must not overwrite the
// only complete copy, so there are two staging keys: a save writes into the one
// that holds no complete copy and marks it with a sequence number one above the
// other's; the complete key with the higher number is the newest, and the older
// one is dropped once the newer is marked. Without such a block only the first
// staging key is used, marked 1, as earlier versions did.
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
#include "catalogue/NameOrder.h"
#include "catalogue/ShortcutCategorizedList.h"
#include "catalogue/ShortcutItem.h"
#include "store/RegistryKey.h"
#include "store/RegistryNames.h"
#include "store/RegistryTree.h"
#include "store/SettingsStore.h"

namespace
{
const wchar_t* const StoredKindPaths[] = {ApplicationsKindPath, FoldersKindPath, ShortcutsKindPath};
const wchar_t* const StagingKeys[] = {CatalogueStagingKey, CatalogueSecondStagingKey};
constexpr int StagingSlots = 2;
constexpr int NoSlot = -1;

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

std::wstring StagingRootPath(int slot)
{
    return std::wstring(RegistryRoot) + StagingKeys[slot];
}

std::wstring StagedPath(int slot, const wchar_t* kindPath)
{
    return StagingRootPath(slot) + kindPath;
}

bool KeyExists(const std::wstring& path)
{
    CRegistryKey key;
    return key.Open(HKEY_CURRENT_USER, path.c_str(), KEY_READ) == ERROR_SUCCESS;
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

// A complete staging key and its sequence number.
struct StagingMark
{
    int slot = NoSlot;
    DWORD sequence = 0;
};

bool ReadStagingMark(int slot, DWORD& sequence)
{
    CRegistryKey staging;
    return staging.Open(HKEY_CURRENT_USER, StagingRootPath(slot).c_str(), KEY_READ) ==
               ERROR_SUCCESS &&
           staging.QueryDword(StagingCompleteValue, sequence) == ERROR_SUCCESS;
}

// The complete staging key with the highest number, the first one of a tie.
StagingMark NewestCompleteStaging()
{
    StagingMark newest;
    for (int slot = 0; slot < StagingSlots; ++slot)
    {
        DWORD sequence = 0;
        if (ReadStagingMark(slot, sequence) &&
            (newest.slot == NoSlot || sequence > newest.sequence))
            newest = {slot, sequence};
    }
    return newest;
}

// While a finished save cannot be applied, its staged copy is the newest
// complete one of the kinds it holds.
std::wstring NewestKindPath(const wchar_t* kindPath)
{
    if (RecoverCatalogueStore())
        return LivePath(kindPath);
    const StagingMark newest = NewestCompleteStaging();
    if (newest.slot == NoSlot || !KeyExists(StagedPath(newest.slot, kindPath)))
        return LivePath(kindPath);
    return StagedPath(newest.slot, kindPath);
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

// Two keys that the registry tells apart but the catalogue's name equality does not are
// one category: the second one's entries join the first.
CCategory* AddStoredCategory(CCategorizedList& list, ListKind kind, const StoredCategory& stored)
{
    CCategory* category = list.FindCategory(stored.name);
    if (!category)
        category = list.AddCategory(stored.name);
    if (!category)
        return nullptr;
    // A name already taken in the category is dropped by InsertItem.
    for (const StoredItem& item : stored.items)
        category->InsertItem(MakeItem(kind, category, item));
    return category;
}

namespace
{
// --- Saving ---

// Names are stored whole. One that no key can hold (the catalogue refuses them) is
// skipped: a backslash would nest keys, and an empty name would write into the parent.
bool WriteItem(HKEY categoryKey, const CListItem& item)
{
    if (!IsStorableName(item.GetName()))
        return false;
    BeforeWrite();
    CRegistryKey itemKey;
    if (itemKey.Create(categoryKey, item.GetName().c_str(), KEY_WRITE) != ERROR_SUCCESS)
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
    if (!IsStorableName(category.m_name))
        return false;
    BeforeWrite();
    CRegistryKey categoryKey;
    if (categoryKey.Create(kindKey, category.m_name.c_str(), KEY_WRITE) != ERROR_SUCCESS)
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
bool StageList(int slot, const ListToSave& save)
{
    const std::wstring path = StagedPath(slot, save.kindPath);
    if (!save.list.m_categories.empty())
        return SaveList(save.list, path);
    BeforeWrite();
    CRegistryKey kindKey;
    return kindKey.Create(HKEY_CURRENT_USER, path.c_str(), KEY_WRITE) == ERROR_SUCCESS;
}

bool IsSaved(const wchar_t* kindPath, std::initializer_list<ListToSave> lists)
{
    for (const ListToSave& save : lists)
        if (save.kindPath == kindPath)
            return true;
    return false;
}

// The kinds that a save of some lists leaves out are still pending in the older
// copy: the newer one takes them along, so that it alone is the newest state.
bool CarryPendingKinds(int from, int to, std::initializer_list<ListToSave> lists)
{
    bool carried = true;
    for (const wchar_t* kindPath : StoredKindPaths)
    {
        CRegistryKey pending;
        if (IsSaved(kindPath, lists) ||
            pending.Open(HKEY_CURRENT_USER, StagedPath(from, kindPath).c_str(), KEY_READ) !=
                ERROR_SUCCESS)
            continue;
        BeforeWrite();
        CRegistryKey staged;
        carried = staged.Create(HKEY_CURRENT_USER, StagedPath(to, kindPath).c_str(), KEY_WRITE) ==
                      ERROR_SUCCESS &&
                  CopyRegistryTree(pending.Get(), staged.Get(), BeforeWrite) == ERROR_SUCCESS &&
                  carried;
    }
    return carried;
}

bool MarkStagingComplete(int slot, DWORD sequence)
{
    BeforeWrite();
    CRegistryKey staging;
    return staging.Open(HKEY_CURRENT_USER, StagingRootPath(slot).c_str(), KEY_SET_VALUE) ==
               ERROR_SUCCESS &&
           staging.SetDword(StagingCompleteValue, sequence) == ERROR_SUCCESS;
}

// Unmarked first: a staging key cut short while it is deleted must not count
// as complete.
bool DropStaging(int slot)
{
    DWORD sequence = 0;
    if (ReadStagingMark(slot, sequence))
    {
        BeforeWrite();
        CRegistryKey staging;
        if (staging.Open(HKEY_CURRENT_USER, StagingRootPath(slot).c_str(), KEY_SET_VALUE) !=
                ERROR_SUCCESS ||
            staging.DeleteValue(StagingCompleteValue) != ERROR_SUCCESS)
            return false;
    }
    return DeleteTree(StagingRootPath(slot));
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

// A staging key that holds no complete copy and could be cleared, or none.
int FreeStagingSlot(int pending)
{
    for (int slot = 0; slot < StagingSlots; ++slot)
        if (slot != pending && !KeyExists(StagingRootPath(slot)))
            return slot;
    return NoSlot;
}

// An entry that could not be staged is missing from the new lists, as it would
// be after a save in place; everything else still replaces the old lists. When
// the previous save could not be applied, its copy stays the newest until this
// one's is marked.
bool SaveStaged(std::initializer_list<ListToSave> lists)
{
    const StagingMark pending = RecoverCatalogueStore() ? StagingMark{} : NewestCompleteStaging();
    const int slot = FreeStagingSlot(pending.slot);
    if (slot == NoSlot)
        return false;
    bool written = true;
    for (const ListToSave& save : lists)
        written = StageList(slot, save) && written;
    // A pending kind that could not be carried along would be lost with the older copy.
    if ((pending.slot != NoSlot && !CarryPendingKinds(pending.slot, slot, lists)) ||
        !MarkStagingComplete(slot, pending.sequence + 1))
    {
        DeleteTree(StagingRootPath(slot));
        return false;
    }
    // From here on a complete copy exists, and recovery finishes the save
    // wherever it is cut short.
    if (pending.slot != NoSlot)
        return DropStaging(pending.slot) && RecoverCatalogueStore() && written;
    if (!WriteLiveLists(lists))
        return RecoverCatalogueStore() && written;
    return DropStaging(slot) && written;
}

// --- Recovery ---

bool ReplaceLiveKind(int slot, const wchar_t* kindPath)
{
    CRegistryKey staged;
    if (staged.Open(HKEY_CURRENT_USER, StagedPath(slot, kindPath).c_str(), KEY_READ) !=
        ERROR_SUCCESS)
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

bool ReplaceLiveKinds(int slot)
{
    bool replaced = true;
    for (const wchar_t* kindPath : StoredKindPaths)
        replaced = ReplaceLiveKind(slot, kindPath) && replaced;
    return replaced;
}
} // namespace

// Every staging key but the newest complete one was cut short or is older.
bool RecoverCatalogueStore()
{
    const StagingMark newest = NewestCompleteStaging();
    bool dropped = true;
    for (int slot = 0; slot < StagingSlots; ++slot)
        if (slot != newest.slot)
            dropped = DropStaging(slot) && dropped;
    if (newest.slot == NoSlot)
        return dropped;
    return ReplaceLiveKinds(newest.slot) && DropStaging(newest.slot) && dropped;
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
