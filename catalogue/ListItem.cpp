#include "catalogue/ListItem.h"

CListItem::CListItem(const std::wstring& name, CCategory* category)
    : m_name(name), m_category(category)
{
}

CListItem::~CListItem() = default;

void CListItem::CreateItemWindow(HWND) {}

void CListItem::ReplaceWindow(std::unique_ptr<CListItemWindow> window, HWND parent)
{
    window->Create(parent);
    m_window = std::move(window);
}

HWND CListItem::GetWindowParent() const
{
    return m_window ? GetParent(m_window->GetHwnd()) : nullptr;
}
