#include "store/StoredWrites.h"

#include "catalogue/Catalogue.h"
#include "catalogue/EntryKind.h"
#include "catalogue/NameOrder.h"
#include "store/RegistryKey.h"
#include "store/RegistryNames.h"
#include "store/RegistryTree.h"

#include <iterator>

namespace
{
void (*g_writeHook)() = nullptr;
} // namespace

void SetCatalogueWriteHook(void (*hook)())
{
    g_writeHook = hook;
}

void BeforeCatalogueWrite()
{
    if (g_writeHook)
        g_writeHook();
}

bool DeleteCatalogueTree(const std::wstring& path)
{
    const LONG result = DeleteRegistryTree(HKEY_CURRENT_USER, path, BeforeCatalogueWrite);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool CatalogueKeyExists(const std::wstring& path)
{
    CRegistryKey key;
    return key.Open(HKEY_CURRENT_USER, path.c_str(), KEY_READ) == ERROR_SUCCESS;
}

static_assert(std::size(KindPathsByList) == EntryKindCount, "every kind has a kind key");

std::wstring LiveKindPath(ListKind kind)
{
    // The table's row maps a value out of range to the applications, as the lists do.
    return std::wstring(RegistryRoot) + KindPathsByList[static_cast<size_t>(KindOf(kind).list)];
}

std::wstring LivePlacePath(ListKind kind, const std::wstring& category, const std::wstring& item)
{
    std::wstring path = LiveKindPath(kind) + category;
    return item.empty() ? path : path + L"\\" + item;
}

// Names are stored whole. One that no key can hold (the catalogue refuses them) is
// skipped: a backslash would nest keys, and an empty name would write into the parent.
bool WriteStoredItem(HKEY categoryKey, const StoredItem& item)
{
    if (!IsStorableName(item.name))
        return false;
    BeforeCatalogueWrite();
    CRegistryKey itemKey;
    if (itemKey.Create(categoryKey, item.name.c_str(), KEY_WRITE) != ERROR_SUCCESS)
        return false;
    BeforeCatalogueWrite();
    bool written = itemKey.SetString(ItemPathValue, item.path) == ERROR_SUCCESS;
    BeforeCatalogueWrite();
    written = itemKey.SetString(ArgumentsValue, item.arguments) == ERROR_SUCCESS && written;
    BeforeCatalogueWrite();
    written = itemKey.SetString(StartInValue, item.startIn) == ERROR_SUCCESS && written;
    BeforeCatalogueWrite();
    return itemKey.SetDword(HotKeyValue, item.hotKey) == ERROR_SUCCESS && written;
}

bool WriteStoredCategory(HKEY kindKey, const StoredCategory& category)
{
    if (!IsStorableName(category.name))
        return false;
    BeforeCatalogueWrite();
    CRegistryKey categoryKey;
    if (categoryKey.Create(kindKey, category.name.c_str(), KEY_WRITE) != ERROR_SUCCESS)
        return false;
    bool written = true;
    for (const StoredItem& item : category.items)
        written = WriteStoredItem(categoryKey.Get(), item) && written;
    return written;
}

// The kind key is created on its own, as recovery creates it before copying the
// staged categories into it.
bool WriteStoredCategories(const std::vector<StoredCategory>& categories,
                           const std::wstring& kindPath)
{
    if (categories.empty())
        return true;
    BeforeCatalogueWrite();
    CRegistryKey kindKey;
    if (kindKey.Create(HKEY_CURRENT_USER, kindPath.c_str(), KEY_WRITE) != ERROR_SUCCESS)
        return false;
    bool written = true;
    for (const StoredCategory& category : categories)
        written = WriteStoredCategory(kindKey.Get(), category) && written;
    return written;
}
