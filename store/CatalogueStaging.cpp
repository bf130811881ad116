// A whole save never touches the stored lists until a complete copy of the new ones
// exists. It stages each list in a key beside its live kind key, with the same
// layout, and then marks the staging key complete with one value. Only then is each
// live kind key deleted and the staged one renamed in its place, one call per kind;
// the mark is removed and the staging key deleted last. Recovery, at start-up and
// before every save, redoes the replacement of a complete staging key (it is
// idempotent: a staged kind key that is gone was renamed already) and deletes an
// incomplete one.
// Where a staged key cannot be made beside the live one, the list is staged below
// the staging key itself, as earlier versions did, and replaced by copying; recovery
// still finishes copies of either layout.
// A live kind key that cannot be replaced leaves its complete staged copy in place,
// and the loaders read that copy. The next save must not overwrite the only complete
// copy, so there are two staging keys: a save writes into the one that holds no
// complete copy and marks it with a sequence number one above the other's; the
// complete key with the higher number is the newest, and the older one is dropped
// once the newer is marked. Without such a block only the first staging key is used,
// marked 1, as earlier versions did.
// A complete staging key is always newer than an edit's journal: edits are written
// only while no staged copy waits, so a journal left beside one is dropped unreplayed.

#include "store/CatalogueStaging.h"

#include "catalogue/Catalogue.h"
#include "store/CatalogueJournal.h"
#include "store/RegistryKey.h"
#include "store/RegistryNames.h"
#include "store/RegistryTree.h"
#include "store/StoredWrites.h"
#include "toolkit/Utilities.h"

namespace
{
const ListKind StoredKinds[] = {ListKind::Applications, ListKind::Folders, ListKind::Shortcuts};
const wchar_t* const StagingKeys[] = {CatalogueStagingKey, CatalogueSecondStagingKey};
constexpr int StagingSlots = 2;
constexpr int NoSlot = -1;

std::wstring WithoutTrailingBackslash(std::wstring path)
{
    if (!path.empty() && path.back() == L'\\')
        path.pop_back();
    return path;
}

std::wstring StagingRootPath(int slot)
{
    return std::wstring(RegistryRoot) + StagingKeys[slot];
}

// The key holding the live kind key, and the two names below it.
struct KindKeyNames
{
    std::wstring parent;
    std::wstring live;
    std::wstring staged;
};

KindKeyNames NamesBeside(int slot, ListKind kind)
{
    const std::wstring live = WithoutTrailingBackslash(LiveKindPath(kind));
    const size_t split = live.rfind(L'\\');
    return {live.substr(0, split), live.substr(split + 1),
            WithoutTrailingBackslash(StagingKeys[slot])};
}

std::wstring StagedBesidePath(int slot, ListKind kind)
{
    const KindKeyNames names = NamesBeside(slot, kind);
    return names.parent + L"\\" + names.staged + L"\\";
}

std::wstring StagedBelowPath(int slot, ListKind kind)
{
    return StagingRootPath(slot) + LiveKindPath(kind).substr(wcslen(RegistryRoot));
}

// The staged copy of a kind in either layout, or an empty path when the slot holds none.
std::wstring StagedKindPath(int slot, ListKind kind)
{
    const std::wstring beside = StagedBesidePath(slot, kind);
    if (CatalogueKeyExists(beside))
        return beside;
    const std::wstring below = StagedBelowPath(slot, kind);
    return CatalogueKeyExists(below) ? below : std::wstring();
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

bool CreateKey(const std::wstring& path)
{
    BeforeCatalogueWrite();
    CRegistryKey key;
    return key.Create(HKEY_CURRENT_USER, path.c_str(), KEY_WRITE) == ERROR_SUCCESS;
}

// The staged kind key exists even for an empty list: it tells recovery that the live
// kind key is to be deleted.
bool StageList(int slot, const StoredList& list)
{
    std::wstring path = StagedBesidePath(slot, list.kind);
    if (!DeleteCatalogueTree(path) || !CreateKey(path))
    {
        DeleteCatalogueTree(path);
        path = StagedBelowPath(slot, list.kind);
        if (!CreateKey(path))
            return false;
    }
    return WriteStoredCategories(list.categories, path);
}

bool IsSaved(ListKind kind, const std::vector<StoredList>& lists)
{
    for (const StoredList& list : lists)
        if (list.kind == kind)
            return true;
    return false;
}

// The kinds that a save of some lists leaves out are still pending in the older
// copy: the newer one takes them along, so that it alone is the newest state.
bool CarryPendingKinds(int from, int to, const std::vector<StoredList>& lists)
{
    bool carried = true;
    for (const ListKind kind : StoredKinds)
    {
        const std::wstring pendingPath = StagedKindPath(from, kind);
        CRegistryKey pending;
        if (IsSaved(kind, lists) || pendingPath.empty() ||
            pending.Open(HKEY_CURRENT_USER, pendingPath.c_str(), KEY_READ) != ERROR_SUCCESS)
            continue;
        BeforeCatalogueWrite();
        CRegistryKey staged;
        carried =
            staged.Create(HKEY_CURRENT_USER, StagedBelowPath(to, kind).c_str(), KEY_WRITE) ==
                ERROR_SUCCESS &&
            CopyRegistryTree(pending.Get(), staged.Get(), BeforeCatalogueWrite) == ERROR_SUCCESS &&
            carried;
    }
    return carried;
}

bool MarkStagingComplete(int slot, DWORD sequence)
{
    BeforeCatalogueWrite();
    CRegistryKey staging;
    return staging.Open(HKEY_CURRENT_USER, StagingRootPath(slot).c_str(), KEY_SET_VALUE) ==
               ERROR_SUCCESS &&
           staging.SetDword(StagingCompleteValue, sequence) == ERROR_SUCCESS;
}

// Unmarked first: a staging key cut short while it is deleted must not count as
// complete. The staged keys beside the live ones go before the staging key, so none
// is left without it.
bool DropStaging(int slot)
{
    DWORD sequence = 0;
    if (ReadStagingMark(slot, sequence))
    {
        BeforeCatalogueWrite();
        CRegistryKey staging;
        if (staging.Open(HKEY_CURRENT_USER, StagingRootPath(slot).c_str(), KEY_SET_VALUE) !=
                ERROR_SUCCESS ||
            staging.DeleteValue(StagingCompleteValue) != ERROR_SUCCESS)
            return false;
    }
    bool dropped = true;
    for (const ListKind kind : StoredKinds)
        dropped = DeleteCatalogueTree(StagedBesidePath(slot, kind)) && dropped;
    return DeleteCatalogueTree(StagingRootPath(slot)) && dropped;
}

// A staging key that holds no complete copy and could be cleared, or none.
int FreeStagingSlot(int pending)
{
    for (int slot = 0; slot < StagingSlots; ++slot)
        if (slot != pending && !CatalogueKeyExists(StagingRootPath(slot)))
            return slot;
    return NoSlot;
}

// --- Replacing the live lists ---

using RenameKeyFunction = LONG(WINAPI*)(HKEY, LPCWSTR, LPCWSTR);

// Looked up, so that the program also starts where the call is missing.
RenameKeyFunction RenameKeyCall()
{
    static const auto rename =
        GetProcedure<RenameKeyFunction>(GetModuleHandleW(L"advapi32.dll"), "RegRenameKey");
    return rename;
}

bool CopyInto(HKEY source, const std::wstring& destination)
{
    BeforeCatalogueWrite();
    CRegistryKey live;
    return live.Create(HKEY_CURRENT_USER, destination.c_str(), KEY_WRITE) == ERROR_SUCCESS &&
           CopyRegistryTree(source, live.Get(), BeforeCatalogueWrite) == ERROR_SUCCESS;
}

bool RenameStaged(const KindKeyNames& names)
{
    const RenameKeyFunction rename = RenameKeyCall();
    CRegistryKey parent;
    if (!rename ||
        parent.Open(HKEY_CURRENT_USER, names.parent.c_str(), KEY_READ | KEY_WRITE) != ERROR_SUCCESS)
        return false;
    BeforeCatalogueWrite();
    return rename(parent.Get(), names.staged.c_str(), names.live.c_str()) == ERROR_SUCCESS;
}

// A staged key beside the live one takes its place. An empty one leaves no kind key;
// where no rename is possible, it is copied and then deleted.
bool MoveStagedKind(int slot, ListKind kind)
{
    const std::wstring live = LiveKindPath(kind);
    const std::wstring stagedPath = StagedBesidePath(slot, kind);
    if (!DeleteCatalogueTree(live))
        return false;
    bool empty = false;
    {
        CRegistryKey staged;
        if (staged.Open(HKEY_CURRENT_USER, stagedPath.c_str(), KEY_READ) != ERROR_SUCCESS)
            return false;
        empty = !HasRegistryContent(staged.Get());
    }
    if (!empty && !RenameStaged(NamesBeside(slot, kind)))
    {
        CRegistryKey staged;
        if (staged.Open(HKEY_CURRENT_USER, stagedPath.c_str(), KEY_READ) != ERROR_SUCCESS ||
            !CopyInto(staged.Get(), live))
            return false;
    }
    // Gone already after a rename.
    return DeleteCatalogueTree(stagedPath);
}

// A staged key below the staging key is copied; the staging key goes as a whole after.
bool CopyStagedKind(int slot, ListKind kind)
{
    CRegistryKey staged;
    if (staged.Open(HKEY_CURRENT_USER, StagedBelowPath(slot, kind).c_str(), KEY_READ) !=
        ERROR_SUCCESS)
        return true;
    if (!DeleteCatalogueTree(LiveKindPath(kind)))
        return false;
    return !HasRegistryContent(staged.Get()) || CopyInto(staged.Get(), LiveKindPath(kind));
}

bool ReplaceLiveKinds(int slot)
{
    bool replaced = true;
    for (const ListKind kind : StoredKinds)
        replaced =
            (CatalogueKeyExists(StagedBesidePath(slot, kind)) ? MoveStagedKind(slot, kind)
                                                              : CopyStagedKind(slot, kind)) &&
            replaced;
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
        return RecoverCatalogueJournal() && dropped;
    return DropCatalogueJournal() && ReplaceLiveKinds(newest.slot) && DropStaging(newest.slot) &&
           dropped;
}

std::wstring NewestKindPath(ListKind kind)
{
    if (RecoverCatalogueStore())
        return LiveKindPath(kind);
    const StagingMark newest = NewestCompleteStaging();
    const std::wstring staged =
        newest.slot == NoSlot ? std::wstring() : StagedKindPath(newest.slot, kind);
    return staged.empty() ? LiveKindPath(kind) : staged;
}

// An entry that could not be staged is missing from the new lists, as it would be
// after a save in place; everything else still replaces the old lists. When the
// previous save could not be applied, its copy stays the newest until this one's is
// marked.
bool SaveStoredLists(const std::vector<StoredList>& lists)
{
    const StagingMark pending = RecoverCatalogueStore() ? StagingMark{} : NewestCompleteStaging();
    const int slot = FreeStagingSlot(pending.slot);
    if (slot == NoSlot || !CreateKey(StagingRootPath(slot)))
        return false;
    bool written = true;
    for (const StoredList& list : lists)
        written = StageList(slot, list) && written;
    // A pending kind that could not be carried along would be lost with the older copy.
    if ((pending.slot != NoSlot && !CarryPendingKinds(pending.slot, slot, lists)) ||
        !MarkStagingComplete(slot, pending.sequence + 1))
    {
        DropStaging(slot);
        return false;
    }
    // From here on a complete copy exists, and recovery finishes the save wherever it
    // is cut short.
    if (pending.slot != NoSlot && !DropStaging(pending.slot))
        return false;
    return RecoverCatalogueStore() && written;
}
