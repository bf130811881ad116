#pragma once

#include <windows.h>

#include <string>

// Global atom of "_Hyperlink_Object_Pointer_\{AFEED740-CC6D-47c5-831D-9848FD916EEF}", held
// from program start to exit. Window properties by this name carry a link static's
// CHyperLink object and, on the static's parent, the parent's previous window procedure.
extern const ATOM& HyperlinkPropertyAtom;

// Turns a static text control of a dialog into a link: blue (purple once visited),
// underlined while the mouse is over it, a hand cursor, and a click or the space bar opens
// the target with the shell. Not a CWindow: the static and its parent are subclassed here
// and find the object through the property. One object serves one static at a time and
// may be used again once that static is destroyed.
class CHyperLink
{
public:
    CHyperLink() = default;
    virtual ~CHyperLink() = default;
    CHyperLink(const CHyperLink&) = delete;
    CHyperLink& operator=(const CHyperLink&) = delete;

    // FALSE when the dialog has no such control, it is a link already, or the target
    // cannot be copied.
    BOOL ConvertStaticToHyperlink(HWND dialog, int controlId, const wchar_t* url);
    // Opens m_url with the shell; the link counts as visited whatever the shell says.
    void Navigate();

    virtual void OnSelect();
    virtual void OnDeselect();

    std::wstring m_url;
    // The mouse is over the link, which then holds the capture.
    bool m_hover = false;
    bool m_visited = false;
    HFONT m_normalFont = nullptr;
    WNDPROC m_staticWndProc = nullptr;

private:
    static LRESULT CALLBACK ParentWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK LinkWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static CHyperLink* FromHandle(HWND hWnd);
    static void SubclassParent(HWND parent);
    static LRESULT OnParentCtlColorStatic(WNDPROC previous, HWND parent, WPARAM wParam,
                                          LPARAM lParam);

    void ConvertStatic(HWND control);
    LRESULT WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(HWND hWnd);
    void OnFocusChange(HWND hWnd, bool gained);
    void OnMouseMove(HWND hWnd, LPARAM lParam);
    void OnCaptureChanged(HWND hWnd);
    static void SwitchFont(HWND hWnd, HFONT font);

    static void AddSharedResources(HFONT normalFont);
    static void ReleaseSharedResources();

    // The link has had its WM_SETFOCUS: a static that held the focus before its conversion
    // is neither selected nor framed, so losing that focus has nothing to undo.
    bool m_focused = false;

    // Shared by all links; made for the first live link and released with the last.
    static HFONT s_underlineFont;
    static HCURSOR s_linkCursor;
    static int s_linkCount;
};
