#include "app/FoldersPane.h"

#include "app/ChildWindowClass.h"
#include "app/PageWindow.h"
#include "catalogue/Catalogue.h"
#include "resources/resource.h"
#include "toolkit/Application.h"

CFoldersPane::CFoldersPane(CFolderCategorizedList* list) : m_list(list) {}

CFoldersPane::~CFoldersPane() = default;

bool CFoldersPane::Create(const RECT& rect, HWND parent)
{
    if (!RegisterChildWindowClass(L"FoldersPane"))
        return false;
    HWND window =
        CreateWindowExW(0, L"FoldersPane", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect.left,
                        rect.top, rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                        CApplication::Instance().GetInstanceHandle(), this);
    if (window == nullptr)
        return false;
    m_toolTip.Create(window);
    m_toolTip.Activate(true);
    return true;
}

void CFoldersPane::AddEntryTool(HWND entryWindow)
{
    m_toolTip.AddTool(entryWindow, LPSTR_TEXTCALLBACKW);
}

LRESULT CFoldersPane::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(lParam);
        return 0;
    default:
        return CWindow::WindowProc(msg, wParam, lParam);
    }
}

void CFoldersPane::OnNotify(NMHDR* header, LRESULT* result)
{
    ForwardToolTipRequest(header, result);
}

void CFoldersPane::RunMenuCommand(UINT command)
{
    if (command != ID_ADD)
        return;
    if (CCatalogue* catalogue = CCatalogue::Current())
        catalogue->AddCategoryWithDialog(GetHwnd(), ListKind::Folders);
}

void CFoldersPane::OnPaint()
{
    PaintPageBackground(GetHwnd());
}

// Only clicks on the pane's own background arrive here; the rows take theirs.
void CFoldersPane::OnRButtonDown(LPARAM lParam)
{
    const HMENU menu = LoadMenuW(CApplication::Instance().GetInstanceHandle(),
                                 MAKEINTRESOURCEW(IDM_FOLDERS_PANE_MENU));
    if (!menu)
        return;
    POINT point = {LOWORD(lParam), HIWORD(lParam)};
    ClientToScreen(GetHwnd(), &point);
    const UINT command = static_cast<UINT>(TrackPopupMenu(
        GetSubMenu(menu, 0), TPM_RETURNCMD, point.x, point.y, 0, GetParent(GetHwnd()), nullptr));
    DestroyMenu(menu);
    RunMenuCommand(command);
}
