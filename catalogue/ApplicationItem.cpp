#include "catalogue/ApplicationItem.h"

#include "catalogue/RunningScan.h"
#include "resources/resource.h"
#include "toolkit/Application.h"
#include "views/ApplicationItemWindow.h"

CApplicationItem::CApplicationItem(const std::wstring& name, CCategory* category,
                                   const std::wstring& path, const std::wstring& arguments,
                                   const std::wstring& startIn, WORD hotKey, HWND parentWindow)
    : CLaunchItem(name, category, path, arguments, startIn, hotKey)
{
    CApplicationItem::CreateItemWindow(parentWindow);
}

std::unique_ptr<CListItem> CApplicationItem::Clone() const
{
    return std::make_unique<CApplicationItem>(m_name, m_category, m_path, m_arguments, m_startIn,
                                              m_hotKey, GetWindowParent());
}

void CApplicationItem::CreateItemWindow(HWND parent, const POINT* shownAt)
{
    if (parent)
        ReplaceWindow(std::make_unique<CApplicationItemWindow>(this), parent, shownAt);
}

bool CloseApplication(const CApplicationItem& item)
{
    if (!item.m_running || !item.m_processWindow)
        return false;
    // The scan may have met the process before it showed its window, and kept a hidden one
    // (its input method window, say) that a close request does not end: ask afresh.
    DWORD processId = 0;
    GetWindowThreadProcessId(item.m_processWindow, &processId);
    const HWND current = processId ? FindProcessWindow(processId) : nullptr;
    return PostMessageW(current ? current : item.m_processWindow, WM_CLOSE, 0, 0);
}
