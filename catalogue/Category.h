#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalogue/ListItem.h"
#include "views/CategoryItemWindow.h"

class CCategorizedList;

// A named group of items inside one list, shown as a header row above its items.
class CCategory
{
public:
    CCategory(const std::wstring& name, CCategorizedList* list);
    CCategory(const CCategory&) = delete;
    CCategory& operator=(const CCategory&) = delete;
    ~CCategory();

    // Index of the item of that name (NamesEqual), or -1.
    int FindItemIndex(const std::wstring& name) const;
    bool HasItem(const std::wstring& name) const;
    // Takes the item unless its name is taken or cannot be stored (IsStorableName), in
    // which case the item is discarded and the result is false. A taken item gets its hotkey
    // registered and is sorted in.
    bool InsertItem(std::unique_ptr<CListItem> item);
    // Destroys the item of that name with its window and hotkey; later items move up.
    void DeleteItem(const std::wstring& name);
    void SortItems();

    std::wstring m_name;
    std::unique_ptr<CCategoryItemWindow> m_window;
    CCategorizedList* m_list;
    std::vector<std::unique_ptr<CListItem>> m_items;
};
