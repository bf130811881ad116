#include "catalogue/ApplicationItem.h"

#include "catalogue/Catalogue.h"
#include "catalogue/Category.h"
#include "resources/resource.h"
#include "toolkit/Application.h"
#include "views/ApplicationItemWindow.h"
#include "views/ShellActions.h"

namespace
{
// Shared by every application row for the whole run.
HBITMAP RowBitmap()
{
    static const HBITMAP bitmap = LoadBitmapW(CApplication::Instance().GetInstanceHandle(),
                                              MAKEINTRESOURCEW(IDB_APPLICATION_ROW));
    return bitmap;
}
} // namespace

CApplicationItem::CApplicationItem(const std::wstring& name, CCategory* category,
                                   const std::wstring& path, const std::wstring& arguments,
                                   const std::wstring& startIn, WORD hotKey, HWND parentWindow)
    : CListItem(name, category), m_path(path), m_arguments(arguments), m_startIn(startIn),
      m_hotKey(hotKey)
{
    CApplicationItem::CreateItemWindow(parentWindow);
}

CApplicationItem::~CApplicationItem()
{
    CCatalogue::EndItemHotKey(m_hotKeyId);
}

std::unique_ptr<CListItem> CApplicationItem::Clone() const
{
    return std::make_unique<CApplicationItem>(m_name, m_category, m_path, m_arguments, m_startIn,
                                              m_hotKey, GetWindowParent());
}

void CApplicationItem::CopyFrom(const CListItem& other)
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

std::wstring CApplicationItem::GetPath() const
{
    return m_path;
}

std::wstring CApplicationItem::GetArguments() const
{
    return m_arguments;
}

std::wstring CApplicationItem::GetStartIn() const
{
    return m_startIn;
}

WORD CApplicationItem::GetHotKey() const
{
    return m_hotKey;
}

void CApplicationItem::SetHotKey(WORD hotKey)
{
    m_hotKey = hotKey;
}

bool CApplicationItem::RegisterItemHotKey()
{
    return CCatalogue::RenewItemHotKey(m_hotKey, m_hotKeyId);
}

void CApplicationItem::CreateItemWindow(HWND parent)
{
    if (parent)
        ReplaceWindow(std::make_unique<CApplicationItemWindow>(this, RowBitmap()), parent);
}

bool CApplicationItem::Launch() const
{
    return LaunchPath(m_path, m_startIn, m_arguments);
}

bool CloseApplication(const CApplicationItem& item)
{
    return item.m_running && item.m_processWindow &&
           PostMessageW(item.m_processWindow, WM_CLOSE, 0, 0);
}
