#include "views/ApplicationCategoryWindow.h"

#include <shellapi.h>

#include <memory>

#include "app/MainWnd.h"
#include "catalogue/ApplicationItem.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Category.h"
#include "dialogs/AddCategoryDialog.h"
#include "resources/resource.h"
#include "toolkit/Application.h"
#include "toolkit/Utilities.h"
#include "views/ApplicationItemWindow.h"
#include "views/ShellActions.h"

namespace
{
const wchar_t ProgramName[] = L"Pathmoor";

// The file name without folder and without its last extension.
std::wstring BareFileName(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t point = name.rfind(L'.');
    if (point != std::wstring::npos)
        name.erase(point);
    return name;
}

bool HasExtension(const std::wstring& path, const wchar_t* extension)
{
    return lstrcmpiW(GetFileExtension(path).c_str(), extension) == 0;
}

} // namespace

LRESULT CApplicationCategoryWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_RBUTTONDOWN:
        // The command may have deleted this header.
        return OnRButtonDown(lParam);
    case WM_DROPFILES:
        return OnDropFiles(wParam);
    case WM_LISTITEMCANDROP:
        return OnListItemCanDrop();
    case WM_LISTITEMDROP:
        return OnListItemDrop(wParam);
    default:
        return CCategoryItemWindow::WindowProc(msg, wParam, lParam);
    }
}

void CApplicationCategoryWindow::RunMenuCommand(UINT command)
{
    switch (command)
    {
    case ID_EDIT:
        RenameWithDialog(ListKind::Applications);
        break;
    case ID_DELETE:
        // Deleting the category destroys this header: nothing of it is used afterwards.
        DeleteWithPrompt(ListKind::Applications);
        break;
    case ID_LAUNCH:
        LaunchAll();
        break;
    case ID_ADD:
        if (CCatalogue* catalogue = CCatalogue::Current())
            catalogue->AddItemWithDialog(m_category->m_name, GetHwnd(), ListKind::Applications);
        break;
    default:
        break;
    }
}

void CApplicationCategoryWindow::AddDroppedFile(const std::wstring& dropped)
{
    std::wstring path = dropped;
    std::wstring arguments;
    std::wstring startIn;
    WORD hotKey = 0;
    if (HasExtension(path, L"lnk"))
        ResolveShortcut(path, &hotKey, &arguments, &startIn);
    if (!HasExtension(path, L"exe"))
    {
        MessageBoxW(GetHwnd(), LoadResString(IDS_ONLY_EXE_FILES).c_str(), ProgramName,
                    MB_ICONWARNING);
        return;
    }
    CCatalogue* catalogue = CCatalogue::Current();
    if (!catalogue)
        return;
    catalogue->AddItemIfUnique(GetHwnd(),
                               std::make_unique<CApplicationItem>(BareFileName(dropped), m_category,
                                                                  path, arguments, startIn, hotKey,
                                                                  GetParent(GetHwnd())),
                               ListKind::Applications);
}

LRESULT CApplicationCategoryWindow::OnRButtonDown(LPARAM lParam)
{
    RunMenuCommand(TrackContextMenu(IDM_APPLICATION_CATEGORY_MENU, lParam));
    return 0;
}

// Only the first file counts.
LRESULT CApplicationCategoryWindow::OnDropFiles(WPARAM wParam)
{
    const auto drop = reinterpret_cast<HDROP>(wParam);
    const std::wstring path = QueryDroppedFile(drop, 0);
    DragFinish(drop);
    if (!path.empty())
        AddDroppedFile(path);
    return 0;
}

LRESULT CApplicationCategoryWindow::OnListItemCanDrop() const
{
    return AcceptDragCursor();
}

// wParam names the dragged window by its handle; anything but an application row is ignored.
LRESULT CApplicationCategoryWindow::OnListItemDrop(WPARAM wParam)
{
    auto* dragged =
        dynamic_cast<CApplicationItemWindow*>(FromHandle(reinterpret_cast<HWND>(wParam)));
    if (dragged)
        MoveItemHere(*dragged->m_item, ListKind::Applications);
    return 0;
}

// Every entry in the category's order, whatever runs already; one minimise at the end.
void CApplicationCategoryWindow::LaunchAll() const
{
    for (const auto& item : m_category->m_items)
        if (const auto* application = dynamic_cast<const CApplicationItem*>(item.get()))
            application->Launch();
    MinimizeIfHidingAfterLaunch();
}
