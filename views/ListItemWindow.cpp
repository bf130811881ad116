#include "views/ListItemWindow.h"

#include <cstdlib>
#include <utility>

#include "catalogue/Catalogue.h"
#include "resources/resource.h"
#include "toolkit/Application.h"
#include "toolkit/DpiScale.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/Scoped.h"
#include "toolkit/SharedImages.h"
#include "toolkit/TilePainting.h"
#include "toolkit/ToolTipControl.h"
#include "toolkit/Utilities.h"

namespace
{
const wchar_t ListItemClassName[] = L"ListItem";
const wchar_t ProgramName[] = L"Pathmoor";
constexpr int WindowWidth = 140;
constexpr int WindowHeight = 22;
constexpr int MarkerSize = 9;
constexpr int MarkerTop = 2;
constexpr int MarkerInset = 12;
constexpr UINT_PTR HoverTimerId = 0;
constexpr UINT HoverPollMilliseconds = 100;

void SetSystemCursor(const wchar_t* id)
{
    SetCursor(LoadCursorW(nullptr, id));
}
} // namespace

bool CListItemWindow::s_buttonDown = false;

CListItemWindow::CListItemWindow(HBITMAP background) : m_background(background) {}

void CListItemWindow::RegisterListItemClass()
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ListItemWindowProc;
    windowClass.hInstance = CApplication::Instance().GetInstanceHandle();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = ListItemClassName;
    if (!RegisterClassW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        MessageBoxW(nullptr, LoadResString(IDS_CREATE_CLASS_FAILED).c_str(), ProgramName, MB_OK);
}

bool CListItemWindow::Create(HWND parent, const POINT* shownAt)
{
    const POINT place = shownAt ? *shownAt : POINT{0, 0};
    const DWORD style = WS_CHILD | WS_CLIPCHILDREN | (shownAt ? WS_VISIBLE : 0);
    m_windowText = GetCatalogueName();
    const CDpiScale& scale = CDpiScale::Current();
    const HWND hWnd =
        CreateWindowExW(0, ListItemClassName, m_windowText.c_str(), style, place.x, place.y,
                        scale.Scale(WindowWidth), scale.Scale(WindowHeight), parent, nullptr,
                        CApplication::Instance().GetInstanceHandle(), this);
    if (hWnd)
        return true;
    MessageBoxW(nullptr, LoadResString(IDS_CREATE_WINDOW_FAILED).c_str(), ProgramName, MB_OK);
    return false;
}

LRESULT CALLBACK CListItemWindow::ListItemWindowProc(HWND hWnd, UINT msg, WPARAM wParam,
                                                     LPARAM lParam)
{
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST)
    {
        const CListItemWindow* window = FromHandle(hWnd);
        if (window != nullptr && window->m_toolTip != nullptr)
            CToolTipControl::RelayEvent(window->m_toolTip, hWnd, msg, wParam, lParam);
    }
    return StaticWindowProc(hWnd, msg, wParam, lParam);
}

std::wstring CListItemWindow::GetCatalogueName() const
{
    return std::wstring();
}

void CListItemWindow::SyncWindowText()
{
    std::wstring name = GetCatalogueName();
    if (name == m_windowText || !SetWindowTextW(GetHwnd(), name.c_str()))
        return;
    m_windowText = std::move(name);
}

CListItemWindow* CListItemWindow::FromHandle(HWND hWnd)
{
    return dynamic_cast<CListItemWindow*>(CApplication::Instance().FindWindowObject(hWnd));
}

LRESULT CListItemWindow::CommonWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_MOUSEMOVE:
        return OnMouseMove(lParam);
    case WM_TIMER:
        return OnTimer();
    case WM_SETCURSOR:
        return OnSetCursor();
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_LBUTTONDOWN:
        return OnLButtonDown(lParam);
    case WM_LBUTTONUP:
        return OnLButtonUp(wParam, lParam);
    case WM_CAPTURECHANGED:
        return OnCaptureChanged(lParam);
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_MOUSEWHEEL:
        // The text keeps the name where other processes read it (the rows draw their own);
        // the wheel goes on to the page.
        return DefWindowProcW(GetHwnd(), msg, wParam, lParam);
    default:
        // The tiles cover the window, so erasing is skipped too.
        return 0;
    }
}

LRESULT CListItemWindow::OnMouseMove(LPARAM lParam)
{
    const POINT point = PointFromLParam(lParam);
    if (!m_dragging)
        StartDragIfMoved(point);
    if (m_dragging)
        ShowDropFeedback(point);
    StartHover(point);
    Repaint();
    return 0;
}

// Hover ends by polling, so it ends also when the cursor leaves without a further move
// over this window.
LRESULT CListItemWindow::OnTimer()
{
    if (!m_hover)
        return 0;
    POINT cursor = {};
    GetCursorPos(&cursor);
    if (WindowFromPoint(cursor) == GetHwnd())
    {
        SetTimer(GetHwnd(), HoverTimerId, HoverPollMilliseconds, nullptr);
        return 0;
    }
    m_hover = false;
    KillTimer(GetHwnd(), HoverTimerId);
    Repaint();
    return 0;
}

LRESULT CListItemWindow::OnSetCursor()
{
    SetSystemCursor(IDC_ARROW);
    return TRUE;
}

// The capture taken here brings the release back to this window wherever it happens, so
// a press can never be left open for another window's release or mouse moves.
LRESULT CListItemWindow::OnLButtonDown(LPARAM lParam)
{
    s_buttonDown = true;
    m_pressPoint = PointFromLParam(lParam);
    SetCapture(GetHwnd());
    Repaint();
    return 0;
}

LRESULT CListItemWindow::OnLButtonUp(WPARAM wParam, LPARAM lParam)
{
    const bool pressed = s_buttonDown;
    const bool dragging = m_dragging;
    s_buttonDown = false;
    m_dragging = false;
    if (GetCapture() == GetHwnd())
        ReleaseCapture();
    const POINT point = PointFromLParam(lParam);
    if (dragging)
    {
        // The receiver may delete this object; nothing of it is touched afterwards.
        DropAt(point);
        return 0;
    }
    if (pressed && ClientContains(point))
        PostMessageW(GetHwnd(), WM_LISTITEMCLICK, wParam, lParam);
    return 0;
}

// A menu, a message box or another program took the mouse: the press is over.
LRESULT CListItemWindow::OnCaptureChanged(LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) == GetHwnd())
        return 0;
    s_buttonDown = false;
    m_dragging = false;
    return 0;
}

void CListItemWindow::StartDragIfMoved(POINT point)
{
    if (!s_buttonDown || IsCategory())
        return;
    if (std::abs(point.x - m_pressPoint.x) >= GetSystemMetrics(SM_CXDRAG) ||
        std::abs(point.y - m_pressPoint.y) >= GetSystemMetrics(SM_CYDRAG))
        m_dragging = true;
}

void CListItemWindow::ShowDropFeedback(POINT point) const
{
    const HWND target = FindDropTarget(point);
    if (!target || SendMessageW(target, WM_LISTITEMCANDROP, 0, 0) == 0)
        SetSystemCursor(IDC_NO);
}

void CListItemWindow::DropAt(POINT point)
{
    if (const HWND target = FindDropTarget(point))
        SendMessageW(target, WM_LISTITEMDROP, reinterpret_cast<WPARAM>(GetHwnd()), 0);
}

void CListItemWindow::StartHover(POINT point)
{
    ClientToScreen(GetHwnd(), &point);
    if (WindowFromPoint(point) != GetHwnd())
        return;
    m_hover = true;
    KillTimer(GetHwnd(), HoverTimerId);
    SetTimer(GetHwnd(), HoverTimerId, HoverPollMilliseconds, nullptr);
}

HWND CListItemWindow::FindDropTarget(POINT point) const
{
    const HWND parent = GetParent(GetHwnd());
    if (!parent)
        return nullptr;
    ClientToScreen(GetHwnd(), &point);
    ScreenToClient(parent, &point);
    return ChildWindowFromPoint(parent, point);
}

bool CListItemWindow::ClientContains(POINT point) const
{
    RECT client = {};
    GetClientRect(GetHwnd(), &client);
    return PtInRect(&client, point) != FALSE;
}

UINT CListItemWindow::TrackContextMenu(UINT menuId, LPARAM lParam,
                                       const std::function<void(HMENU)>& prepare) const
{
    return TrackMenuResource(menuId, ScreenPointFromLParam(GetHwnd(), lParam), GetParent(GetHwnd()),
                             prepare);
}

void CListItemWindow::DeleteItemWithPrompt(CListItem& item, const wchar_t* prompt) const
{
    if (MessageBoxW(GetHwnd(), prompt, ProgramName, MB_ICONWARNING | MB_YESNO) != IDYES)
        return;
    if (CCatalogue* catalogue = CCatalogue::Current())
        catalogue->RemoveItem(item);
}

void CListItemWindow::PaintBackground(HDC dc, const RECT& client) const
{
    PaintTiles(dc, m_background, client, TileEdge::WholeTilesOnly);
}

void CListItemWindow::Repaint() const
{
    InvalidateRect(GetHwnd(), nullptr, FALSE);
}

int CListItemWindow::HotkeyMarkerInset()
{
    return CDpiScale::Current().Scale(MarkerInset);
}

// Loaded once for each size, so that drawing does not scale it.
void CListItemWindow::DrawHotkeyMarker(HDC dc, const RECT& client, bool active)
{
    const CDpiScale& scale = CDpiScale::Current();
    const int size = scale.Scale(MarkerSize);
    const int top = scale.Scale(MarkerTop);
    const int left = client.right - HotkeyMarkerInset();
    DrawIconEx(dc, left, top, SizedIcon(IDI_HOTKEY_MARKER, size), size, size, 0, nullptr,
               DI_NORMAL);
    if (active)
        return;
    // From the lower left to the upper right corner, two pixels wide at 96 DPI.
    CScopedGdiObject<HPEN> pen(CreatePen(PS_SOLID, scale.Scale(2), InactiveHotkeyColour));
    CScopedSelect selectPen(dc, pen.Get());
    MoveToEx(dc, left, top + size - 1, nullptr);
    LineTo(dc, left + size, top - 1);
}
