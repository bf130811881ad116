#pragma once

#include "catalogue/CategorizedList.h"

// The applications page's categories.
class CApplicationCategorizedList : public CCategorizedList
{
public:
    CCategory* AddCategory(const std::wstring& name) override;
};
