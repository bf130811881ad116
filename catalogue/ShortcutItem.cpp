#include "catalogue/ShortcutItem.h"

#include "catalogue/Catalogue.h"
#include "catalogue/Category.h"
#include "resources/resource.h"
#include "toolkit/Application.h"
#include "views/ShortcutItemWindow.h"
#include "views/ShellActions.h"

namespace
{
// Shared by every shortcut row for the whole run.
HBITMAP RowBitmap()
{
    static const HBITMAP bitmap = LoadBitmapW(CApplication::Instance().GetInstanceHandle(),
                                              MAKEINTRESOURCEW(IDB_SHORTCUT_ROW));
    return bitmap;
}
} // namespace

CShortcutItem::CShortcutItem(const std::wstring& name, CCategory* category,
                             const std::wstring& path, const std::wstring& arguments,
                             const std::wstring& startIn, WORD hotKey, HWND parentWindow)
    : CListItem(name, category), m_path(path), m_arguments(arguments), m_startIn(startIn),
      m_hotKey(hotKey)
{
    CShortcutItem::CreateItemWindow(parentWindow);
}

CShortcutItem::~CShortcutItem()
{
    CCatalogue::EndItemHotKey(m_hotKeyId);
}

std::unique_ptr<CListItem> CShortcutItem::Clone() const
{
    return std::make_unique<CShortcutItem>(m_name, m_category, m_path, m_arguments, m_startIn,
                                           m_hotKey, GetWindowParent());
}

void CShortcutItem::CopyFrom(const CListItem& other)
{
    m_name = other.GetName();
    m_path = other.GetPath();
    m_arguments = other.GetArguments();
    m_startIn = other.GetStartIn();
    SetHotKey(other.GetHotKey());
    RegisterItemHotKey();
    if (m_category)
        m_category->SortItems();
}

std::wstring CShortcutItem::GetPath() const
{
    return m_path;
}

std::wstring CShortcutItem::GetArguments() const
{
    return m_arguments;
}

std::wstring CShortcutItem::GetStartIn() const
{
    return m_startIn;
}

WORD CShortcutItem::GetHotKey() const
{
    return m_hotKey;
}

void CShortcutItem::SetHotKey(WORD hotKey)
{
    m_hotKey = hotKey;
}

bool CShortcutItem::RegisterItemHotKey()
{
    return CCatalogue::RenewItemHotKey(m_hotKey, m_hotKeyId);
}

void CShortcutItem::CreateItemWindow(HWND parent)
{
    if (parent)
        ReplaceWindow(std::make_unique<CShortcutItemWindow>(this, RowBitmap()), parent);
}

bool CShortcutItem::Launch() const
{
    return LaunchPath(m_path, m_startIn, m_arguments);
}
