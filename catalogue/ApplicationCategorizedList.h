#pragma once

#include "catalogue/CategorizedList.h"

class CApplicationCategoryWindow;

// The applications page's categories.
class CApplicationCategorizedList : public CHeaderedCategorizedList<CApplicationCategoryWindow>
{
};
