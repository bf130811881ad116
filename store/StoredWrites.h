#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "store/CatalogueStore.h"

// What the catalogue's savers share: the test hook before every write, and the
// writers of stored categories and entries in the live layout.

// Calls the hook that SetCatalogueWriteHook set, if any.
void BeforeCatalogueWrite();
// The key at path under HKEY_CURRENT_USER with everything below it; true also when
// there was none.
bool DeleteCatalogueTree(const std::wstring& path);
bool CatalogueKeyExists(const std::wstring& path);

// Under HKEY_CURRENT_USER: the live kind key of the kind, with its trailing backslash.
std::wstring LiveKindPath(ListKind kind);
// The live path of a category, or of an entry when item is not empty.
std::wstring LivePlacePath(ListKind kind, const std::wstring& category,
                           const std::wstring& item = std::wstring());

// A name no key can hold is skipped and makes them return false; so does any write
// that fails, while the others are still made.
bool WriteStoredItem(HKEY categoryKey, const StoredItem& item);
bool WriteStoredCategory(HKEY kindKey, const StoredCategory& category);
// Into a kind key that holds nothing yet; an empty list writes nothing.
bool WriteStoredCategories(const std::vector<StoredCategory>& categories,
                           const std::wstring& kindPath);
