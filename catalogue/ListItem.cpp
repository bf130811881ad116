#include "catalogue/ListItem.h"

CListItem::CListItem(const std::wstring& name, CCategory* category)
    : m_name(name), m_category(category)
{
}

CListItem::~CListItem() = default;

bool CListItem::HasActiveHotKey() const
{
    return false;
}

void CListItem::CreateItemWindow(HWND, const POINT*) {}

void CListItem::ReplaceWindow(std::unique_ptr<CListItemWindow> window, HWND parent,
                              const POINT* shownAt)
{
    window->Create(parent, shownAt);
    m_window = std::move(window);
}

void CListItem::AssignPath(std::wstring& field, const std::wstring& path)
{
    if (field == path)
        return;
    field = path;
    ++m_pathRevision;
}

HWND CListItem::GetWindowParent() const
{
    return m_window ? GetParent(m_window->GetHwnd()) : nullptr;
}
