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

void MinimizeIfHidingAfterLaunch()
{
    const CMainWnd* mainWnd = CMainWnd::Instance();
    if (mainWnd && mainWnd->m_settings.m_hideAfterLaunch)
        ShowWindow(mainWnd->GetHwnd(), SW_MINIMIZE);
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
        RenameWithDialog();
        break;
    case ID_DELETE:
        DeleteWithPrompt();
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
    const HMENU menu = LoadMenuW(CApplication::Instance().GetInstanceHandle(),
                                 MAKEINTRESOURCEW(IDM_APPLICATION_CATEGORY_MENU));
    if (!menu)
        return 0;
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(GetHwnd(), &point);
    const UINT command = static_cast<UINT>(TrackPopupMenu(
        GetSubMenu(menu, 0), TPM_RETURNCMD, point.x, point.y, 0, GetParent(GetHwnd()), nullptr));
    DestroyMenu(menu);
    RunMenuCommand(command);
    return 0;
}

// Only the first file counts. Its length is asked first, so a long path arrives whole
// instead of cut at MAX_PATH into the name of another file.
LRESULT CApplicationCategoryWindow::OnDropFiles(WPARAM wParam)
{
    const auto drop = reinterpret_cast<HDROP>(wParam);
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring path(length, L'\0');
    const UINT copied = length ? DragQueryFileW(drop, 0, &path[0], length + 1) : 0;
    DragFinish(drop);
    path.resize(copied);
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

void CApplicationCategoryWindow::RenameWithDialog()
{
    CAddCategoryDialog dialog;
    if (dialog.DoModal(GetHwnd(), m_category->m_name, true) != IDOK ||
        dialog.m_name == m_category->m_name)
        return;
    const int taken = m_category->m_list->FindCategoryIndex(dialog.m_name);
    if (taken != -1 && m_category->m_list->m_categories[taken].get() != m_category)
    {
        MessageBoxW(GetHwnd(), LoadResString(IDS_CATEGORY_EXISTS).c_str(), nullptr, MB_ICONWARNING);
        return;
    }
    m_category->m_name = dialog.m_name;
    Repaint();
    if (CMainWnd* mainWnd = CMainWnd::Instance())
        mainWnd->LayoutPages();
}

// Deleting the category destroys this header: nothing of it is used afterwards.
void CApplicationCategoryWindow::DeleteWithPrompt()
{
    if (MessageBoxW(GetHwnd(), LoadResString(IDS_DELETE_CATEGORY_PROMPT).c_str(), nullptr,
                    MB_ICONWARNING | MB_YESNO) != IDYES)
        return;
    CCategorizedList* list = m_category->m_list;
    CMainWnd* mainWnd = CMainWnd::Instance();
    list->DeleteCategory(m_category->m_name);
    if (mainWnd)
        mainWnd->LayoutPages();
}
