#include "toolkit/Window.h"

#include "toolkit/Application.h"
#include "toolkit/Shielded.h"
#include "toolkit/Utilities.h"

namespace
{
WNDPROC GetWindowProcedure(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
}

// The placement flags under which the normal-position rectangle does not describe the
// window's size.
constexpr UINT kPlacementUsesWindowRect = WPF_SETMINPOSITION | WPF_RESTORETOMAXIMIZED;

// The answer for a message whose handler threw: a window whose creation failed half-way
// is not made at all, and any other message gets the default handling.
LRESULT AnswerFailedWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CREATE)
        return -1;
    return DefWindowProcW(hWnd, msg, wParam, lParam);
}

// The same for a dialog. One that could not be set up would show, and at OK save, only
// part of its values, so it is cancelled as its own Cancel button would; any other message
// is left to the dialog manager.
INT_PTR AnswerFailedDialogMessage(HWND dialog, UINT msg)
{
    if (msg == WM_INITDIALOG)
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    return FALSE;
}
} // namespace

bool CWindow::IsEnabled()
{
    return IsWindowEnabled(m_hWnd) == TRUE;
}

CWindow::~CWindow()
{
    // Out of the map before the window hears of its destruction: the derived parts of
    // this object are gone already, so those last messages must not reach it.
    const HWND hWnd = m_hWnd;
    Unbind();
    OnDetach();
    if (hWnd)
        DestroyWindow(hWnd);
}

LRESULT CWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_subclassed)
        return CallWindowProcW(m_prevWndProc, m_hWnd, msg, wParam, lParam);
    return DefWindowProcW(m_hWnd, msg, wParam, lParam);
}

INT_PTR CWindow::DialogProc(UINT, WPARAM, LPARAM)
{
    return 0;
}

bool CWindow::PreTranslateMessage(MSG*)
{
    return false;
}

void CWindow::OnNotify(NMHDR*, LRESULT*) {}

void CWindow::OnReflectNotify(NMHDR*, LRESULT*) {}

bool CWindow::OnAttach()
{
    return true;
}

void CWindow::OnDetach() {}

bool CWindow::Attach(HWND hWnd)
{
    if (m_hWnd != hWnd)
        Unbind();
    m_hWnd = hWnd;
    Subclass();
    return OnAttach();
}

void CWindow::Subclass()
{
    if (!m_hWnd || m_subclassed)
        return;
    // A window that already runs on StaticWindowProc only needs its map entry; making
    // StaticWindowProc its own previous procedure would send unhandled messages round
    // in a circle.
    if (GetWindowProcedure(m_hWnd) != StaticWindowProc)
    {
        const LONG_PTR previous =
            SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWindowProc));
        if (!previous)
            return;
        m_prevWndProc = reinterpret_cast<WNDPROC>(previous);
        m_subclassed = true;
    }
    CApplication::Instance().AddWindowObject(m_hWnd, this);
}

void CWindow::Bind(HWND hWnd)
{
    if (m_hWnd != hWnd)
        Unbind();
    m_hWnd = hWnd;
    CApplication::Instance().AddWindowObject(hWnd, this);
}

void CWindow::SetHandle(HWND hWnd)
{
    Unbind();
    m_hWnd = hWnd;
}

void CWindow::Unbind()
{
    if (!m_hWnd)
        return;
    // Someone else may have subclassed the window on top of us; taking our procedure out
    // would then cut them off, so the window keeps StaticWindowProc and gets
    // DefWindowProcW from it.
    if (m_subclassed && GetWindowProcedure(m_hWnd) == StaticWindowProc)
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_prevWndProc));
    CApplication& application = CApplication::Instance();
    if (application.FindWindowObject(m_hWnd) == this)
        application.RemoveWindowObject(m_hWnd);
    m_hWnd = nullptr;
    m_prevWndProc = nullptr;
    m_subclassed = false;
}

void CWindow::ForgetDestroyedWindow(HWND hWnd)
{
    // A handle value can come back for a new window; no map entry may outlive its window.
    CWindow* window = CApplication::Instance().FindWindowObject(hWnd);
    if (window && window->m_hWnd == hWnd)
        window->Unbind();
    else
        CApplication::Instance().RemoveWindowObject(hWnd);
}

void CWindow::DispatchNotify(CWindow* window, NMHDR* header)
{
    // The answer to WM_NOTIFY is what WindowProc returns; the handlers' result is dropped.
    LRESULT result = 0;
    window->OnNotify(header, &result);
    if (CWindow* sender = CApplication::Instance().FindWindowObject(header->hwndFrom))
        sender->OnReflectNotify(header, &result);
}

LRESULT CALLBACK CWindow::StaticWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result =
        CallShielded([&] { return DispatchWindowMessage(hWnd, msg, wParam, lParam); },
                     [&] { return AnswerFailedWindowMessage(hWnd, msg, wParam, lParam); });
    // Also after a handler threw: no map entry may outlive its window.
    if (msg == WM_NCDESTROY)
        ForgetDestroyedWindow(hWnd);
    return result;
}

INT_PTR CALLBACK CWindow::StaticDialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const INT_PTR result =
        CallShielded([&] { return DispatchDialogMessage(hWnd, msg, wParam, lParam); },
                     [&] { return AnswerFailedDialogMessage(hWnd, msg); });
    if (msg == WM_NCDESTROY)
        ForgetDestroyedWindow(hWnd);
    return result;
}

LRESULT CWindow::DispatchWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWindow* window = CApplication::Instance().FindWindowObject(hWnd);
    if (!window)
    {
        if (msg != WM_CREATE)
            return DefWindowProcW(hWnd, msg, wParam, lParam);
        window = static_cast<CWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (!window)
            return DefWindowProcW(hWnd, msg, wParam, lParam);
        window->Bind(hWnd);
    }
    else if (msg == WM_NOTIFY)
    {
        if (!lParam)
            return 0;
        DispatchNotify(window, reinterpret_cast<NMHDR*>(lParam));
    }
    return window->WindowProc(msg, wParam, lParam);
}

INT_PTR CWindow::DispatchDialogMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWindow* window = CApplication::Instance().FindWindowObject(hWnd);
    if (!window)
    {
        if (msg != WM_INITDIALOG || !lParam)
            return 0;
        window = reinterpret_cast<CWindow*>(lParam);
        window->Bind(hWnd);
    }
    else if (msg == WM_NOTIFY)
    {
        if (!lParam)
            return 0;
        DispatchNotify(window, reinterpret_cast<NMHDR*>(lParam));
    }
    return window->DialogProc(msg, wParam, lParam);
}

LRESULT CWindow::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageW(m_hWnd, msg, wParam, lParam);
}

int CWindow::GetLineLength() const
{
    return static_cast<int>(SendMessageW(m_hWnd, EM_LINELENGTH, 0, 0));
}

void CWindow::SetText(const std::wstring& text)
{
    if (!SetWindowTextW(m_hWnd, text.c_str()))
        throw CSetTextError();
}

std::wstring CWindow::GetText() const
{
    const int length = GetWindowTextLengthW(m_hWnd);
    return length > 0 ? ReadText(length) : std::wstring();
}

std::wstring CWindow::GetEditText() const
{
    return ReadText(GetLineLength());
}

std::wstring CWindow::ReadText(int length) const
{
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(m_hWnd, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

WINDOWPLACEMENT CWindow::GetPlacement() const
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(m_hWnd, &placement);
    return placement;
}

RECT CWindow::GetParentRelativeRect() const
{
    RECT rect = {};
    GetWindowRect(m_hWnd, &rect);
    const HWND parent = GetParent(m_hWnd);
    if ((GetWindowLongPtrW(m_hWnd, GWL_STYLE) & WS_CHILD) && parent)
        ScreenRectToClient(parent, &rect);
    return rect;
}

int CWindow::GetLeft() const
{
    return GetPlacement().rcNormalPosition.left;
}

int CWindow::GetRight() const
{
    return GetPlacement().rcNormalPosition.right;
}

int CWindow::GetTop() const
{
    return GetParentRelativeRect().top;
}

int CWindow::GetBottom() const
{
    return GetParentRelativeRect().bottom;
}

RECT CWindow::GetSizeRect() const
{
    const WINDOWPLACEMENT placement = GetPlacement();
    RECT rect = placement.rcNormalPosition;
    if (placement.flags & kPlacementUsesWindowRect)
        GetWindowRect(m_hWnd, &rect);
    return rect;
}

int CWindow::GetWidth() const
{
    const RECT rect = GetSizeRect();
    return rect.right - rect.left;
}

int CWindow::GetHeight() const
{
    const RECT rect = GetSizeRect();
    return rect.bottom - rect.top;
}

void CWindow::MoveTo(int x, int y)
{
    // The kept coordinate comes from the window rectangle, which is in the coordinates
    // MoveWindow takes; a top-level window's normal position is in workspace coordinates.
    const RECT current = GetParentRelativeRect();
    MoveWindow(m_hWnd, x == -1 ? current.left : x, y == -1 ? current.top : y, GetWidth(),
               GetHeight(), TRUE);
}

void CWindow::Resize(int width, int clientHeight)
{
    const RECT current = GetParentRelativeRect();
    RECT client = {};
    GetClientRect(m_hWnd, &client);
    const int nonClientHeight = (current.bottom - current.top) - (client.bottom - client.top);
    const int height = clientHeight == -1 ? GetHeight() : clientHeight + nonClientHeight;
    MoveWindow(m_hWnd, current.left, current.top, width == -1 ? GetWidth() : width, height, TRUE);
}
