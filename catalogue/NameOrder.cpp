#include "catalogue/NameOrder.h"

#include "catalogue/Category.h"
#include "catalogue/ListItem.h"
#include "resources/resource.h"
#include "toolkit/Utilities.h"

UINT NameRefusal(const std::wstring& name)
{
    if (name.empty())
        return IDS_NAME_EMPTY;
    if (name.find(L'\\') != std::wstring::npos)
        return IDS_NAME_HAS_BACKSLASH;
    if (name.size() > MaxStoredNameLength)
        return IDS_NAME_TOO_LONG;
    return 0;
}

bool IsStorableName(const std::wstring& name)
{
    return NameRefusal(name) == 0;
}

bool NamesEqual(const std::wstring& a, const std::wstring& b)
{
    // Case folds one code unit to one, so names of other lengths never match; the
    // look-ups compare every name of a category, and most differ in length.
    if (a.size() != b.size())
        return false;
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

bool NameLess(const std::wstring& a, const std::wstring& b)
{
    return CaseSensitiveLess(ToLower(a), ToLower(b));
}

bool CaseSensitiveLess(const std::wstring& a, const std::wstring& b)
{
    // wchar_t is an unsigned 16-bit type on Windows, so this is the code-unit order.
    return a < b;
}

bool ItemLess(const std::unique_ptr<CListItem>& a, const std::unique_ptr<CListItem>& b)
{
    return NameLess(a->m_name, b->m_name);
}

bool CategoryLess(const std::unique_ptr<CCategory>& a, const std::unique_ptr<CCategory>& b)
{
    return NameLess(a->m_name, b->m_name);
}
