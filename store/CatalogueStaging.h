#pragma once

#include <string>
#include <vector>

#include "store/CatalogueStore.h"

// The whole-catalogue save through staged copies, and the recovery that finishes
// or drops one (RecoverCatalogueStore, declared with the store).

// Replaces the stored lists of the kinds given as one unit; the other kinds stay.
bool SaveStoredLists(const std::vector<StoredList>& lists);
// Where the newest complete copy of the kind lies under HKEY_CURRENT_USER: the live
// kind key, or a staged copy that could not replace it yet.
std::wstring NewestKindPath(ListKind kind);
