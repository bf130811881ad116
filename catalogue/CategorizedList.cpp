#include "catalogue/CategorizedList.h"

#include <algorithm>

#include "catalogue/NameOrder.h"
#include "resources/resource.h"
#include "toolkit/Application.h"
#include "toolkit/SharedImages.h"
#include "views/ApplicationCategoryWindow.h"
#include "views/FolderCategoryWindow.h"
#include "views/ShortcutCategoryWindow.h"

CCategorizedList::~CCategorizedList() = default;

int CCategorizedList::FindCategoryIndex(const std::wstring& name) const
{
    for (size_t i = 0; i < m_categories.size(); ++i)
    {
        if (NamesEqual(m_categories[i]->m_name, name))
            return static_cast<int>(i);
    }
    return -1;
}

CCategory* CCategorizedList::FindCategory(const std::wstring& name) const
{
    const int index = FindCategoryIndex(name);
    return index == -1 ? nullptr : m_categories[static_cast<size_t>(index)].get();
}

void CCategorizedList::DeleteCategory(const std::wstring& name)
{
    const int index = FindCategoryIndex(name);
    if (index == -1)
        return;
    // The page draws nothing while the rows go, so that not every one of them makes the
    // window manager work out what it uncovered; the layout that follows repaints the page.
    const bool shown = m_parentWindow && IsWindowVisible(m_parentWindow);
    if (shown)
        SendMessageW(m_parentWindow, WM_SETREDRAW, FALSE, 0);
    m_categories.erase(m_categories.begin() + index);
    if (shown)
        SendMessageW(m_parentWindow, WM_SETREDRAW, TRUE, 0);
}

void CCategorizedList::SortCategories()
{
    std::sort(m_categories.begin(), m_categories.end(), CategoryLess);
}

void CCategorizedList::AttachHeader(CCategory& category,
                                    std::unique_ptr<CCategoryItemWindow> header) const
{
    // A category that InsertByName or Append will refuse gets no window either.
    if (!m_parentWindow || !IsStorableName(category.m_name))
        return;
    header->Create(m_parentWindow);
    category.m_window = std::move(header);
}

CCategory* CCategorizedList::InsertByName(std::unique_ptr<CCategory> category)
{
    if (!IsStorableName(category->m_name))
        return nullptr;
    const std::wstring& name = category->m_name;
    const auto position = std::find_if(m_categories.begin(), m_categories.end(),
                                       [&name](const std::unique_ptr<CCategory>& existing)
                                       { return CaseSensitiveLess(name, existing->m_name); });
    return m_categories.insert(position, std::move(category))->get();
}

CCategory* CCategorizedList::Append(std::unique_ptr<CCategory> category)
{
    if (!IsStorableName(category->m_name))
        return nullptr;
    m_categories.push_back(std::move(category));
    return m_categories.back().get();
}

template <typename THeader>
CCategory* CHeaderedCategorizedList<THeader>::AddCategory(const std::wstring& name)
{
    // Shared by every header for the whole run.
    const HBITMAP bitmap = SharedBitmap(IDB_CATEGORY_HEADER);
    auto category = std::make_unique<CCategory>(name, this);
    AttachHeader(*category, std::make_unique<THeader>(category.get(), bitmap));
    return InsertByName(std::move(category));
}

template class CHeaderedCategorizedList<CApplicationCategoryWindow>;
template class CHeaderedCategorizedList<CFolderCategoryWindow>;
template class CHeaderedCategorizedList<CShortcutCategoryWindow>;
