#include "catalogue/LaunchItem.h"

#include "catalogue/Catalogue.h"
#include "catalogue/Category.h"
#include "shell/ShellActions.h"

CLaunchItem::CLaunchItem(const std::wstring& name, CCategory* category, const std::wstring& path,
                         const std::wstring& arguments, const std::wstring& startIn, WORD hotKey)
    : CListItem(name, category), m_path(path), m_arguments(arguments), m_startIn(startIn),
      m_hotKey(hotKey)
{
}

CLaunchItem::~CLaunchItem()
{
    CCatalogue::EndItemHotKey(m_hotKeyId);
}

void CLaunchItem::CopyFrom(const CListItem& other)
{
    m_name = other.GetName();
    AssignPath(m_path, other.GetPath());
    m_arguments = other.GetArguments();
    m_startIn = other.GetStartIn();
    SetHotKey(other.GetHotKey());
    RegisterItemHotKey();
    if (m_category)
        m_category->SortItems();
}

std::wstring CLaunchItem::GetPath() const
{
    return m_path;
}

std::wstring CLaunchItem::GetArguments() const
{
    return m_arguments;
}

std::wstring CLaunchItem::GetStartIn() const
{
    return m_startIn;
}

WORD CLaunchItem::GetHotKey() const
{
    return m_hotKey;
}

void CLaunchItem::SetHotKey(WORD hotKey)
{
    m_hotKey = hotKey;
}

bool CLaunchItem::RegisterItemHotKey()
{
    return CCatalogue::RenewItemHotKey(m_hotKey, m_hotKeyId);
}

bool CLaunchItem::HasActiveHotKey() const
{
    return m_hotKeyId != -1;
}

bool CLaunchItem::Launch() const
{
    return LaunchPath(m_path, m_startIn, m_arguments);
}
