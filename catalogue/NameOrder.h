#pragma once

#include <memory>
#include <string>

class CCategory;
class CListItem;

// Names of categories and items are unique under this equality: only the letters A to Z
// fold their case, as the C runtime does in the C locale, so "Tools" equals "TOOLS" but
// "É" differs from "é".
bool NamesEqual(const std::wstring& a, const std::wstring& b);

// Display order: the names lower-cased with CharLowerW, then compared code unit by code
// unit as unsigned values, a proper prefix first.
bool NameLess(const std::wstring& a, const std::wstring& b);

// Where a new category is inserted: code units compared as they are, without folding.
bool CaseSensitiveLess(const std::wstring& a, const std::wstring& b);

// NameLess over the names, shaped for sorting the owning vectors.
bool ItemLess(const std::unique_ptr<CListItem>& a, const std::unique_ptr<CListItem>& b);
bool CategoryLess(const std::unique_ptr<CCategory>& a, const std::unique_ptr<CCategory>& b);
