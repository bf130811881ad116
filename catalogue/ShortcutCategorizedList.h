#pragma once

#include "catalogue/CategorizedList.h"

// The shortcuts page's categories.
class CShortcutCategorizedList : public CCategorizedList
{
public:
    CCategory* AddCategory(const std::wstring& name) override;
};
