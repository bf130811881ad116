#pragma once

#include "catalogue/CategorizedList.h"

// The folders pane's categories.
class CFolderCategorizedList : public CCategorizedList
{
public:
    CCategory* AddCategory(const std::wstring& name) override;
};
