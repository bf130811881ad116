#include "catalogue/ShortcutItem.h"

#include "resources/resource.h"
#include "toolkit/Application.h"
#include "views/ShortcutItemWindow.h"

CShortcutItem::CShortcutItem(const std::wstring& name, CCategory* category,
                             const std::wstring& path, const std::wstring& arguments,
                             const std::wstring& startIn, WORD hotKey, HWND parentWindow)
    : CLaunchItem(name, category, path, arguments, startIn, hotKey)
{
    CShortcutItem::CreateItemWindow(parentWindow);
}

std::unique_ptr<CListItem> CShortcutItem::Clone() const
{
    return std::make_unique<CShortcutItem>(m_name, m_category, m_path, m_arguments, m_startIn,
                                           m_hotKey, GetWindowParent());
}

void CShortcutItem::CreateItemWindow(HWND parent, const POINT* shownAt)
{
    if (parent)
        ReplaceWindow(std::make_unique<CShortcutItemWindow>(this), parent, shownAt);
}
