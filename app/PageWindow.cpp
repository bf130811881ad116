#include "app/PageWindow.h"

#include "app/ChildWindowClass.h"
#include "app/MainWnd.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Category.h"
#include "resources/resource.h"
#include "toolkit/Utilities.h"
#include "views/CategoryItemWindow.h"
#include "toolkit/Application.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/Scoped.h"

namespace
{
const wchar_t* PageTitle(int kind)
{
    switch (kind)
    {
    case 0:
        return L"ApplicationsPage";
    case 1:
        return L"ShortcutsPage";
    default:
        return L"";
    }
}

constexpr UINT AddCategoryCommand = 1;
} // namespace

void PaintPageBackground(HWND window)
{
    CScopedPaint paint(window);
    RECT client = {};
    GetClientRect(window, &client);
    CScopedGdiObject<HBRUSH> brush(CreateSolidBrush(PageBackgroundColour));
    FillRect(paint.Get(), &client, brush.Get());
}

void ForwardToolTipRequest(NMHDR* header, LRESULT* result)
{
    if (header->code != TTN_GETDISPINFOW)
        return;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    if (CWindow* tool =
            CApplication::Instance().FindWindowObject(reinterpret_cast<HWND>(info->lParam)))
        tool->OnReflectNotify(header, result);
}

CPageWindow::CPageWindow(CCategorizedList* list, int kind) : m_list(list), m_kind(kind) {}

CPageWindow::~CPageWindow() = default;

bool CPageWindow::Create(const RECT& rect, HWND parent)
{
    return CreateChild(L"Page", PageTitle(m_kind), WS_CHILD | WS_CLIPCHILDREN, rect, parent);
}

bool CPageWindow::CreateChild(const wchar_t* className, const wchar_t* title, DWORD style,
                              const RECT& rect, HWND parent)
{
    if (!RegisterChildWindowClass(className))
        return false;
    HWND window = CreateWindowExW(0, className, title, style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                                  CApplication::Instance().GetInstanceHandle(), this);
    if (window == nullptr)
        return false;
    m_toolTip.Create(window);
    m_toolTip.Activate(true);
    return true;
}

void CPageWindow::AddEntryTool(CListItemWindow& window)
{
    window.m_toolTip = m_toolTip.GetHwnd();
    m_toolTip.AddRelayedTool(window.GetHwnd(), LPSTR_TEXTCALLBACKW);
}

LRESULT CPageWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
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

void CPageWindow::OnNotify(NMHDR* header, LRESULT* result)
{
    ForwardToolTipRequest(header, result);
}

void CPageWindow::OnPaint()
{
    PaintPageBackground(GetHwnd());
}

void CPageWindow::OnRButtonDown(LPARAM lParam)
{
    const CScopedMenu menu(CreatePopupMenu());
    if (!menu || !AppendMenuW(menu.Get(), MF_STRING, AddCategoryCommand, L"Add category"))
        return;
    const UINT command =
        TrackPopupCommand(menu.Get(), ScreenPointFromLParam(GetHwnd(), lParam), GetHwnd());
    if (command == AddCategoryCommand)
        AddCategory();
}

void CPageWindow::AddCategory()
{
    if (CCatalogueDialogs* dialogs = CMainWnd::Dialogs())
        dialogs->AddCategory(GetHwnd(), static_cast<ListKind>(m_kind));
}
