#pragma once

#include "catalogue/CategorizedList.h"

// Kept for the catalogue's shape: nothing adds categories to it, stores it or shows it.
class CNoteCategorizedList : public CCategorizedList
{
public:
    CCategory* AddCategory(const std::wstring& name) override;
};
