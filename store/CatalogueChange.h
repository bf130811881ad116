#pragma once

#include <string>
#include <vector>

#include "store/CatalogueStore.h"

// One category or one entry as it lies in the store; an empty item names the category.
struct StoredPlace
{
    ListKind kind;
    std::wstring category;
    std::wstring item;
};

// A category key to create, with the entries to write into it.
struct StoredWrite
{
    ListKind kind;
    StoredCategory category;
};

// What one edit of the catalogue changed, as the store writes it: the places removed
// first, in order, then the categories and entries written. Both halves are stored as
// one unit.
struct CatalogueChange
{
    std::vector<StoredPlace> removed;
    std::vector<StoredWrite> written;
    // An edit of the whole catalogue (the defaults of a first start): stored whole.
    bool whole = false;
};
