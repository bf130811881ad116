#include "store/CatalogueJournal.h"

#include <cwchar>
#include <string>

#include "store/CatalogueChange.h"
#include "store/CatalogueStaging.h"
#include "store/RegistryKey.h"
#include "store/RegistryNames.h"
#include "store/RegistryTree.h"
#include "store/StoredWrites.h"

namespace
{
const wchar_t RemovedKey[] = L"Removed";
const wchar_t WrittenKey[] = L"Written\\";

std::wstring JournalPath()
{
    return std::wstring(RegistryRoot) + CatalogueJournalKey;
}

// Relative to the program's key, as the journal keeps it.
std::wstring RelativePlacePath(const StoredPlace& place)
{
    return LivePlacePath(place.kind, place.category, place.item).substr(wcslen(RegistryRoot));
}

// An empty or nested name would remove a whole kind key or another key.
bool IsRemovablePlace(const StoredPlace& place)
{
    return !place.category.empty() && place.category.find(L'\\') == std::wstring::npos &&
           place.item.find(L'\\') == std::wstring::npos;
}

bool WriteJournalRemovals(HKEY journal, const CatalogueChange& change)
{
    BeforeCatalogueWrite();
    CRegistryKey removed;
    if (removed.Create(journal, RemovedKey, KEY_WRITE) != ERROR_SUCCESS)
        return false;
    int index = 0;
    for (const StoredPlace& place : change.removed)
    {
        if (!IsRemovablePlace(place))
            continue;
        BeforeCatalogueWrite();
        if (removed.SetString(std::to_wstring(index++).c_str(), RelativePlacePath(place)) !=
            ERROR_SUCCESS)
            return false;
    }
    return true;
}

// Into the kind key below base, created for the first category written.
bool WriteCategories(const std::wstring& base, const CatalogueChange& change)
{
    bool written = true;
    for (const StoredWrite& write : change.written)
    {
        const std::wstring kindPath = base + LiveKindPath(write.kind).substr(wcslen(RegistryRoot));
        BeforeCatalogueWrite();
        CRegistryKey kindKey;
        written = kindKey.Create(HKEY_CURRENT_USER, kindPath.c_str(), KEY_WRITE) == ERROR_SUCCESS &&
                  WriteStoredCategory(kindKey.Get(), write.category) && written;
    }
    return written;
}

bool MarkJournal(bool complete)
{
    BeforeCatalogueWrite();
    CRegistryKey journal;
    if (journal.Open(HKEY_CURRENT_USER, JournalPath().c_str(), KEY_SET_VALUE) != ERROR_SUCCESS)
        return false;
    return (complete ? journal.SetDword(StagingCompleteValue, 1)
                     : journal.DeleteValue(StagingCompleteValue)) == ERROR_SUCCESS;
}

bool IsJournalComplete()
{
    CRegistryKey journal;
    return journal.Open(HKEY_CURRENT_USER, JournalPath().c_str(), KEY_READ) == ERROR_SUCCESS &&
           journal.HasValue(StagingCompleteValue);
}

// From the journal's own copy, as recovery finds it.
bool ReplayJournal()
{
    CRegistryKey removed;
    bool replayed = true;
    if (removed.Open(HKEY_CURRENT_USER, (JournalPath() + RemovedKey).c_str(), KEY_READ) ==
        ERROR_SUCCESS)
    {
        std::wstring path;
        for (int index = 0;
             removed.QueryString(std::to_wstring(index).c_str(), path) == ERROR_SUCCESS; ++index)
            replayed = DeleteCatalogueTree(RegistryRoot + path) && replayed;
    }
    CRegistryKey written;
    CRegistryKey root;
    if (written.Open(HKEY_CURRENT_USER, (JournalPath() + WrittenKey).c_str(), KEY_READ) !=
        ERROR_SUCCESS)
        return replayed;
    return root.Open(HKEY_CURRENT_USER, RegistryRoot, KEY_READ | KEY_WRITE) == ERROR_SUCCESS &&
           CopyRegistryTree(written.Get(), root.Get(), BeforeCatalogueWrite) == ERROR_SUCCESS &&
           replayed;
}

// From memory, which costs far fewer calls than copying the journal's keys.
bool ApplyChange(const CatalogueChange& change)
{
    bool applied = true;
    for (const StoredPlace& place : change.removed)
        if (IsRemovablePlace(place))
            applied = DeleteCatalogueTree(LivePlacePath(place.kind, place.category, place.item)) &&
                      applied;
    return WriteCategories(RegistryRoot, change) && applied;
}
} // namespace

bool DropCatalogueJournal()
{
    if (!CatalogueKeyExists(JournalPath()))
        return true;
    if (IsJournalComplete() && !MarkJournal(false))
        return false;
    return DeleteCatalogueTree(JournalPath());
}

bool RecoverCatalogueJournal()
{
    if (IsJournalComplete() && !ReplayJournal())
        return false;
    return DropCatalogueJournal();
}

bool WriteCatalogueChange(const CatalogueChange& change)
{
    if (change.whole || !RecoverCatalogueStore())
        return false;
    const std::wstring journalPath = JournalPath();
    BeforeCatalogueWrite();
    CRegistryKey journal;
    if (journal.Create(HKEY_CURRENT_USER, journalPath.c_str(), KEY_WRITE) != ERROR_SUCCESS)
        return false;
    // Nothing is changed until the journal holds all of the change.
    if (!WriteJournalRemovals(journal.Get(), change) ||
        !WriteCategories(journalPath + WrittenKey, change) || !MarkJournal(true))
    {
        DropCatalogueJournal();
        return false;
    }
    // Cut short from here on, recovery finishes the change.
    return ApplyChange(change) && DropCatalogueJournal();
}
