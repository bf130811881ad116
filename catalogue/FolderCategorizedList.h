#pragma once

#include "catalogue/CategorizedList.h"

class CFolderCategoryWindow;

// The folders pane's categories.
class CFolderCategorizedList : public CHeaderedCategorizedList<CFolderCategoryWindow>
{
};
