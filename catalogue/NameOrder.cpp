#include "catalogue/NameOrder.h"

#include <algorithm>

#include "catalogue/Category.h"
#include "catalogue/ListItem.h"
#include "toolkit/Utilities.h"

namespace
{
wchar_t FoldAsciiCase(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool SameFoldedUnit(wchar_t a, wchar_t b)
{
    return FoldAsciiCase(a) == FoldAsciiCase(b);
}
} // namespace

bool NamesEqual(const std::wstring& a, const std::wstring& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameFoldedUnit);
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
