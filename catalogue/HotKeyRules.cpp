#include "catalogue/HotKeyRules.h"

#include <algorithm>

#include "catalogue/CategorizedList.h"
#include "catalogue/Category.h"
#include "catalogue/LaunchItem.h"
#include "catalogue/NameOrder.h"
#include "toolkit/HotKeyWord.h"
#include "toolkit/Utilities.h"

namespace
{
// A total order: NameLess alone leaves names that fold alike in no defined order.
bool DisplayLess(const std::wstring& a, const std::wstring& b)
{
    if (NameLess(a, b))
        return true;
    return !NameLess(b, a) && CaseSensitiveLess(a, b);
}
} // namespace

UINT HotKeyModifiers(WORD hotKey)
{
    return ModifiersOfHotKeyFlags(HIBYTE(hotKey));
}

bool SameCombination(WORD a, WORD b)
{
    return LOBYTE(a) == LOBYTE(b) && HotKeyModifiers(a) == HotKeyModifiers(b);
}

WORD HotKeyWordOf(UINT modifiers, UINT key)
{
    if ((modifiers & MOD_WIN) || key == 0 || key > 0xFF)
        return 0;
    return MAKEWORD(static_cast<BYTE>(key), HotKeyFlagsOfModifiers(modifiers));
}

bool RegisterOnce(HWND window, int id, UINT modifiers, UINT key)
{
    if (RegisterHotKey(window, id, modifiers | MOD_NOREPEAT, key))
        return true;
    // Taken is taken, with or without the flag.
    if (GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED)
        return false;
    return RegisterHotKey(window, id, modifiers, key) != FALSE;
}

std::vector<CLaunchItem*> LaunchItemsInOrder(const CCategorizedList& list)
{
    std::vector<const CCategory*> categories;
    for (const auto& category : list.m_categories)
        categories.push_back(category.get());
    std::sort(categories.begin(), categories.end(),
              [](const CCategory* a, const CCategory* b)
              { return DisplayLess(a->m_name, b->m_name); });
    // A category keeps its entries in name order already; sorting them again at every
    // tick would cost as much as the scan of the running programs.
    std::vector<CLaunchItem*> items;
    for (const CCategory* category : categories)
        for (const auto& item : category->m_items)
            if (auto* entry = dynamic_cast<CLaunchItem*>(item.get()))
                items.push_back(entry);
    return items;
}
