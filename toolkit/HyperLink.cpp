#include "toolkit/HyperLink.h"

#include <shellapi.h>

#include <new>

#include "toolkit/Scoped.h"
#include "toolkit/Shielded.h"
#include "toolkit/Utilities.h"

namespace
{
constexpr COLORREF kLinkColour = RGB(0, 0, 255);
constexpr COLORREF kVisitedColour = RGB(128, 0, 128);

// Adds a global atom for the life of the process.
class CGlobalAtom
{
public:
    explicit CGlobalAtom(const wchar_t* name) : m_atom(GlobalAddAtomW(name)) {}
    ~CGlobalAtom()
    {
        if (m_atom)
            GlobalDeleteAtom(m_atom);
    }
    CGlobalAtom(const CGlobalAtom&) = delete;
    CGlobalAtom& operator=(const CGlobalAtom&) = delete;

    const ATOM m_atom;
};

const CGlobalAtom
    propertyAtom(L"_Hyperlink_Object_Pointer_\\{AFEED740-CC6D-47c5-831D-9848FD916EEF}");

const wchar_t* PropertyName()
{
    return MAKEINTATOM(HyperlinkPropertyAtom);
}

WNDPROC GetWindowProcedure(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
}

// GWLP_WNDPROC rather than the 32-bit GWL_WNDPROC: procedures are 64-bit pointers.
void SetWindowProcedure(HWND hWnd, WNDPROC procedure)
{
    SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

// A window without WM_SETFONT's font draws with the system font.
HFONT FontOrSystemFont(HFONT font)
{
    return font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

HFONT CreateUnderlinedCopy(HFONT font)
{
    LOGFONTW logFont = {};
    if (!GetObjectW(FontOrSystemFont(font), sizeof(logFont), &logFont))
        return nullptr;
    logFont.lfUnderline = TRUE;
    return CreateFontIndirectW(&logFont);
}

void Repaint(HWND hWnd)
{
    InvalidateRect(hWnd, nullptr, TRUE);
}
} // namespace

const ATOM& HyperlinkPropertyAtom = propertyAtom.m_atom;

HFONT CHyperLink::s_underlineFont = nullptr;
HCURSOR CHyperLink::s_linkCursor = nullptr;
int CHyperLink::s_linkCount = 0;

BOOL CHyperLink::ConvertStaticToHyperlink(HWND dialog, int controlId, const wchar_t* url)
{
    const HWND control = GetDlgItem(dialog, controlId);
    // Subclassing a link a second time would make it its own previous procedure.
    if (!control || !url || FromHandle(control))
        return FALSE;
    try
    {
        m_url = url;
    }
    catch (const std::bad_alloc&)
    {
        return FALSE;
    }
    ConvertStatic(control);
    return TRUE;
}

void CHyperLink::Navigate()
{
    SHELLEXECUTEINFOW info = {};
    // The structure's own size: in a 64-bit process it is larger than 60 bytes, and the
    // shell refuses any other.
    info.cbSize = sizeof(info);
    info.lpVerb = L"open";
    info.lpFile = m_url.c_str();
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&info);
    m_visited = true;
}

void CHyperLink::OnSelect() {}

void CHyperLink::OnDeselect() {}

void CHyperLink::ConvertStatic(HWND control)
{
    if (const HWND parent = GetParent(control))
        SubclassParent(parent);
    SetWindowLongPtrW(control, GWL_STYLE, GetWindowLongPtrW(control, GWL_STYLE) | SS_NOTIFY);
    m_normalFont = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    AddSharedResources(m_normalFont);
    m_staticWndProc = GetWindowProcedure(control);
    SetPropW(control, PropertyName(), reinterpret_cast<HANDLE>(this));
    SetWindowProcedure(control, LinkWindowProc);
}

void CHyperLink::SubclassParent(HWND parent)
{
    if (GetWindowProcedure(parent) == ParentWindowProc)
        return;
    SetPropW(parent, PropertyName(), reinterpret_cast<HANDLE>(GetWindowProcedure(parent)));
    SetWindowProcedure(parent, ParentWindowProc);
}

CHyperLink* CHyperLink::FromHandle(HWND hWnd)
{
    if (GetWindowProcedure(hWnd) != LinkWindowProc)
        return nullptr;
    return static_cast<CHyperLink*>(GetPropW(hWnd, PropertyName()));
}

void CHyperLink::AddSharedResources(HFONT normalFont)
{
    if (s_linkCount++ > 0)
        return;
    s_underlineFont = CreateUnderlinedCopy(normalFont);
    s_linkCursor = LoadCursorW(nullptr, IDC_HAND);
    if (!s_linkCursor)
        s_linkCursor = LoadCursorW(nullptr, IDC_ARROW);
}

void CHyperLink::ReleaseSharedResources()
{
    if (--s_linkCount > 0)
        return;
    if (s_underlineFont)
        DeleteObject(s_underlineFont);
    s_underlineFont = nullptr;
    // A system cursor is never destroyed.
    s_linkCursor = nullptr;
}

LRESULT CALLBACK CHyperLink::ParentWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(hWnd, PropertyName()));
    if (!previous)
        return DefWindowProcW(hWnd, msg, wParam, lParam);
    switch (msg)
    {
    case WM_DESTROY:
        SetWindowProcedure(hWnd, previous);
        RemovePropW(hWnd, PropertyName());
        break;
    case WM_CTLCOLORSTATIC:
        return OnParentCtlColorStatic(previous, hWnd, wParam, lParam);
    default:
        break;
    }
    return CallWindowProcW(previous, hWnd, msg, wParam, lParam);
}

LRESULT CHyperLink::OnParentCtlColorStatic(WNDPROC previous, HWND parent, WPARAM wParam,
                                           LPARAM lParam)
{
    const LRESULT brush = CallWindowProcW(previous, parent, WM_CTLCOLORSTATIC, wParam, lParam);
    if (const CHyperLink* link = FromHandle(reinterpret_cast<HWND>(lParam)))
        SetTextColor(reinterpret_cast<HDC>(wParam), link->m_visited ? kVisitedColour : kLinkColour);
    return brush;
}

LRESULT CALLBACK CHyperLink::LinkWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CHyperLink* link = static_cast<CHyperLink*>(GetPropW(hWnd, PropertyName()));
    if (!link)
        return DefWindowProcW(hWnd, msg, wParam, lParam);
    return CallShielded([&] { return link->WindowProc(hWnd, msg, wParam, lParam); },
                        [&] { return DefWindowProcW(hWnd, msg, wParam, lParam); });
}

LRESULT CHyperLink::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_DESTROY:
        return OnDestroy(hWnd);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        OnFocusChange(hWnd, msg == WM_SETFOCUS);
        return 0;
    case WM_SETCURSOR:
        SetCursor(s_linkCursor);
        return TRUE;
    case WM_KEYUP:
        if (wParam != VK_SPACE)
            break;
        Navigate();
        return 0;
    case WM_LBUTTONUP:
        Navigate();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(hWnd, lParam);
        return 0;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(hWnd);
        return 0;
    default:
        break;
    }
    return CallWindowProcW(m_staticWndProc, hWnd, msg, wParam, lParam);
}

LRESULT CHyperLink::OnDestroy(HWND hWnd)
{
    const WNDPROC staticWndProc = m_staticWndProc;
    SetWindowProcedure(hWnd, staticWndProc);
    // The static must not keep the shared font, which may be deleted next.
    SendMessageW(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_normalFont), FALSE);
    ReleaseSharedResources();
    RemovePropW(hWnd, PropertyName());
    // A link destroyed under the mouse may never hear of its capture going; the next
    // static this object serves must start without hover or focus.
    m_hover = false;
    m_focused = false;
    return CallWindowProcW(staticWndProc, hWnd, WM_DESTROY, 0, 0);
}

void CHyperLink::OnFocusChange(HWND hWnd, bool gained)
{
    // DrawFocusRect inverts: a frame drawn only on losing the focus would stay.
    if (gained == m_focused)
        return;
    m_focused = gained;
    if (gained)
        OnSelect();
    else
        OnDeselect();
    const HWND parent = GetParent(hWnd);
    RECT rect = {};
    GetWindowRect(hWnd, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    InflateRect(&rect, 1, 1);
    // Drawn a second time at losing the focus, the frame is gone.
    CScopedGetDC dc(parent);
    DrawFocusRect(dc.Get(), &rect);
}

void CHyperLink::OnMouseMove(HWND hWnd, LPARAM lParam)
{
    if (m_hover)
    {
        const POINT point = PointFromLParam(lParam);
        RECT client = {};
        GetClientRect(hWnd, &client);
        if (!PtInRect(&client, point))
            ReleaseCapture();
        return;
    }
    m_hover = true;
    SwitchFont(hWnd, s_underlineFont);
    OnSelect();
    SetCapture(hWnd);
}

void CHyperLink::OnCaptureChanged(HWND hWnd)
{
    // A capture change the link did not start (focus moving away can cause one)
    // must not end a hover that never began.
    if (!m_hover)
        return;
    m_hover = false;
    OnDeselect();
    SwitchFont(hWnd, m_normalFont);
}

void CHyperLink::SwitchFont(HWND hWnd, HFONT font)
{
    SendMessageW(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    Repaint(hWnd);
}
