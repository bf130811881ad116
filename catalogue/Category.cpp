#include "catalogue/Category.h"

#include <algorithm>

#include "catalogue/NameOrder.h"

CCategory::CCategory(const std::wstring& name, CCategorizedList* list) : m_name(name), m_list(list)
{
}

CCategory::~CCategory()
{
    m_window.reset();
    m_items.clear();
}

int CCategory::FindItemIndex(const std::wstring& name) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
    {
        if (NamesEqual(m_items[i]->m_name, name))
            return static_cast<int>(i);
    }
    return -1;
}

bool CCategory::HasItem(const std::wstring& name) const
{
    return FindItemIndex(name) != -1;
}

bool CCategory::InsertItem(std::unique_ptr<CListItem> item)
{
    if (!IsStorableName(item->m_name) || HasItem(item->m_name))
        return false;
    item->m_category = this;
    item->RegisterItemHotKey();
    // Into its place: sorting the whole category at every insertion made loading a
    // category of thousands of entries take minutes.
    const auto place = std::upper_bound(m_items.begin(), m_items.end(), item, ItemLess);
    m_items.insert(place, std::move(item));
    return true;
}

void CCategory::DeleteItem(const std::wstring& name)
{
    const int index = FindItemIndex(name);
    if (index != -1)
        m_items.erase(m_items.begin() + index);
}

void CCategory::SortItems()
{
    std::sort(m_items.begin(), m_items.end(), ItemLess);
}
