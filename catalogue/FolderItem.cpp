#include "catalogue/FolderItem.h"

#include "catalogue/Category.h"
#include "resources/resource.h"
#include "toolkit/Application.h"
#include "views/FolderItemWindow.h"
#include "shell/ShellActions.h"

CFolderItem::CFolderItem(const std::wstring& name, CCategory* category, const std::wstring& path,
                         HWND parentWindow)
    : CListItem(name, category), m_path(path)
{
    CFolderItem::CreateItemWindow(parentWindow);
}

std::unique_ptr<CListItem> CFolderItem::Clone() const
{
    return std::make_unique<CFolderItem>(m_name, m_category, m_path, GetWindowParent());
}

void CFolderItem::CopyFrom(const CListItem& other)
{
    m_name = other.GetName();
    AssignPath(m_path, other.GetPath());
    if (m_category)
        m_category->SortItems();
}

std::wstring CFolderItem::GetPath() const
{
    return m_path;
}

std::wstring CFolderItem::GetArguments() const
{
    return std::wstring();
}

std::wstring CFolderItem::GetStartIn() const
{
    return std::wstring();
}

WORD CFolderItem::GetHotKey() const
{
    return 0;
}

void CFolderItem::SetHotKey(WORD) {}

bool CFolderItem::RegisterItemHotKey()
{
    return false;
}

void CFolderItem::CreateItemWindow(HWND parent, const POINT* shownAt)
{
    if (parent)
        ReplaceWindow(std::make_unique<CFolderItemWindow>(this), parent, shownAt);
}

bool CFolderItem::Launch() const
{
    return LaunchPath(m_path, std::wstring(), std::wstring());
}
