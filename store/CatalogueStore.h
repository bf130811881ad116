#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class CCatalogue;
class CCategory;
class CListItem;
enum class ListKind : int;
class CCategorizedList;
class CApplicationCategorizedList;
class CFolderCategorizedList;
class CShortcutCategorizedList;

// The applications, folders and shortcuts lists in HKEY_CURRENT_USER under
// RegistryRoot, one key per category and per entry. Registry failures are
// silent for the program; the savers report them to whoever wants to know.

// Finishes a save that was cut short after it had been completely staged, or
// drops one that was not. False when a staged save could not be finished yet;
// it is kept for the next attempt. The loaders and savers call it themselves.
bool RecoverCatalogueStore();

// One entry as stored: its key's name and its values.
struct StoredItem
{
    std::wstring name;
    std::wstring path;
    std::wstring arguments;
    std::wstring startIn;
    WORD hotKey = 0;
};

// One category as stored, its entries in the registry's order.
struct StoredCategory
{
    std::wstring name;
    std::vector<StoredItem> items;
};

// Hands each category of the newest complete copy of one kind of list to take,
// in the registry's order. Touches nothing but the registry, so it may run on
// a thread of its own.
void ReadStoredCategories(ListKind kind, const std::function<void(StoredCategory&&)>& take);
// Adds a category read so to the list, with its entries but no entry windows. Clears
// asStored when the list does not hold it as stored (it joined a category of an equal
// name, or entries were dropped): the next change must then store the lists whole.
CCategory* AddStoredCategory(CCategorizedList& list, ListKind kind, const StoredCategory& stored,
                             bool* asStored = nullptr);

// One kind of list as stored.
struct StoredList
{
    ListKind kind;
    std::vector<StoredCategory> categories;
};

// Copies of the catalogue as the store writes it; they may be written on another thread.
StoredItem StoredItemOf(const CListItem& item);
StoredCategory StoredCategoryOf(const CCategory& category);
StoredList StoredListOf(ListKind kind, const CCategorizedList& list);
std::vector<StoredList> StoredCatalogueOf(const CCatalogue& catalogue);

// Fill the list with categories and entries without windows; the caller
// creates the windows and registers the hotkeys again.
void LoadApplications(CApplicationCategorizedList& list);
void LoadFolders(CFolderCategorizedList& list);
void LoadShortcuts(CShortcutCategorizedList& list);

// Each replaces the stored lists as one unit: whenever the process ends, the
// store holds either all of the previous lists or all of the new ones. True
// when every category and entry was written.
bool SaveCatalogue(const CCatalogue& catalogue);
bool SaveApplications(const CApplicationCategorizedList& list);
bool SaveFolders(const CFolderCategorizedList& list);
bool SaveShortcuts(const CShortcutCategorizedList& list);

// Rewrites the kind key at kindPath (under HKEY_CURRENT_USER) in place, with
// no protection against an interruption; an empty list leaves no kind key.
bool SaveList(const CCategorizedList& list, const std::wstring& kindPath);

// For tests: called before every single registry write of a save or a
// recovery, so that a test can end the process between any two writes.
void SetCatalogueWriteHook(void (*hook)());
