#pragma once

#include <string>
#include <vector>

#include "tests/unit/store/CatalogueStoreTest.h"

class CCatalogue;

// One change a user makes to the catalogue through the views and dialogs.
struct CatalogueEdit
{
    enum class Action
    {
        AddCategory,
        RenameCategory,
        DeleteCategory,
        AddEntry,
        EditEntry,
        MoveEntry,
        DeleteEntry,
    };

    Action action = Action::AddCategory;
    int kind = 0; // 0 applications, 1 folders, 2 shortcuts
    std::wstring category;
    std::wstring name;
    // The new category name of a rename, the target category of a move.
    std::wstring target;
    StoredEntry entry;
};

// A reproducible series of valid edits starting from the content: names stay
// unique, every edit names what exists at its turn.
std::vector<CatalogueEdit> MakeEditScript(unsigned seed, std::size_t count,
                                          const CatalogueContent& start);

void ApplyEdit(CatalogueContent& content, const CatalogueEdit& edit);
// Through the catalogue's own operations, without windows: each notifies its change.
void ApplyEdit(CCatalogue& catalogue, const CatalogueEdit& edit);
std::string DescribeEdit(const CatalogueEdit& edit);
