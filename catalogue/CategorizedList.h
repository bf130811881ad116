#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "catalogue/Category.h"

// An ordered set of uniquely named categories of one kind of entry.
class CCategorizedList
{
public:
    CCategorizedList() = default;
    CCategorizedList(const CCategorizedList&) = delete;
    CCategorizedList& operator=(const CCategorizedList&) = delete;
    virtual ~CCategorizedList();

    // Creates the category with its header window in m_parentWindow (none while that is
    // null). It does not test the name for uniqueness; its callers do. Null, and nothing
    // created, for a name that cannot be stored (IsStorableName).
    virtual CCategory* AddCategory(const std::wstring& name) = 0;

    // Index of the category of that name (NamesEqual), or -1.
    int FindCategoryIndex(const std::wstring& name) const;
    CCategory* FindCategory(const std::wstring& name) const;
    // Destroys the category of that name with its items; later categories move up.
    void DeleteCategory(const std::wstring& name);
    // The order on screen (CategoryLess); the layout applies it before placing windows.
    void SortCategories();

    std::vector<std::unique_ptr<CCategory>> m_categories;
    // The page or pane in which the category and item windows live.
    HWND m_parentWindow = nullptr;

protected:
    // Gives the category its header window, created in m_parentWindow, when there is one.
    void AttachHeader(CCategory& category, std::unique_ptr<CCategoryItemWindow> header) const;
    // Before the first category whose name is greater, comparing case-sensitively.
    CCategory* InsertByName(std::unique_ptr<CCategory> category);
    CCategory* Append(std::unique_ptr<CCategory> category);
};

// A list whose categories have headers of class THeader on the shared header image and
// are kept in name order; the pages' and the pane's lists differ in nothing else. The
// member is instantiated for each header class in CategorizedList.cpp.
template <typename THeader> class CHeaderedCategorizedList : public CCategorizedList
{
public:
    CCategory* AddCategory(const std::wstring& name) override;
};
