#pragma once

#include "catalogue/CategorizedList.h"

class CShortcutCategoryWindow;

// The shortcuts page's categories.
class CShortcutCategorizedList : public CHeaderedCategorizedList<CShortcutCategoryWindow>
{
};
