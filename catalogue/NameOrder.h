#pragma once

#include <windows.h>

#include <memory>
#include <string>

class CCategory;
class CListItem;

// The registry's limit for a key name; a stored name is its key's name, whole.
constexpr std::size_t MaxStoredNameLength = 255;

// Why the name cannot be a category's or an entry's: the id of the message that says so,
// or 0 when it can. A backslash would split the name into nested keys, an empty name
// would write into the parent key, and a longer name has no key at all.
UINT NameRefusal(const std::wstring& name);
bool IsStorableName(const std::wstring& name);

// Names of categories and items are unique under this equality, which folds letter case
// over all of Unicode as the registry does for key names: "Übung" equals "übung", which
// one key would hold.
bool NamesEqual(const std::wstring& a, const std::wstring& b);

// Display order: the names lower-cased with CharLowerW, then compared code unit by code
// unit as unsigned values, a proper prefix first.
bool NameLess(const std::wstring& a, const std::wstring& b);

// Where a new category is inserted: code units compared as they are, without folding.
bool CaseSensitiveLess(const std::wstring& a, const std::wstring& b);

// NameLess over the names, shaped for sorting the owning vectors.
bool ItemLess(const std::unique_ptr<CListItem>& a, const std::unique_ptr<CListItem>& b);
bool CategoryLess(const std::unique_ptr<CCategory>& a, const std::unique_ptr<CCategory>& b);
