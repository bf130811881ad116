#pragma once

#include <windows.h>
#include <commctrl.h>

// windows.h would rename CWindow::SendMessage to SendMessageW; the control macros of
// the SDK headers then have to name the wide function themselves.
#undef SendMessage
#undef SNDMSG
#define SNDMSG ::SendMessageW

#include <stdexcept>
#include <string>

// Thrown when a window refuses its new text.
class CSetTextError : public std::runtime_error
{
public:
    CSetTextError() : std::runtime_error("SetText failed") {}
};

// Base of every window, dialog and wrapped control. One static window procedure and one
// static dialog procedure find the object of a handle in CApplication's map and dispatch
// through the virtual handlers.
class CWindow
{
public:
    CWindow() = default;
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    virtual bool IsEnabled();
    virtual ~CWindow();
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual bool PreTranslateMessage(MSG* msg);
    virtual void OnNotify(NMHDR* header, LRESULT* result);
    virtual void OnReflectNotify(NMHDR* header, LRESULT* result);
    virtual bool OnAttach();
    virtual void OnDetach();

    HWND GetHwnd() const { return m_hWnd; }
    bool Attach(HWND hWnd);
    void Subclass();

    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    int GetLineLength() const;
    void SetText(const std::wstring& text);
    std::wstring GetText() const;
    std::wstring GetEditText() const;

    int GetLeft() const;
    int GetRight() const;
    int GetTop() const;
    int GetBottom() const;
    int GetWidth() const;
    int GetHeight() const;
    void MoveTo(int x, int y);
    void Resize(int width, int clientHeight);

    // No exception leaves them: a message whose handler threw gets the default answer,
    // and a dialog that could not be set up is cancelled.
    static LRESULT CALLBACK StaticWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK StaticDialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    // Holds a window that is neither in the map nor subclassed.
    void SetHandle(HWND hWnd);

private:
    void Bind(HWND hWnd);
    void Unbind();
    static void DispatchNotify(CWindow* window, NMHDR* header);
    // The static procedures without their shield.
    static LRESULT DispatchWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static INT_PTR DispatchDialogMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static void ForgetDestroyedWindow(HWND hWnd);

    std::wstring ReadText(int length) const;
    WINDOWPLACEMENT GetPlacement() const;
    RECT GetParentRelativeRect() const;
    RECT GetSizeRect() const;

    HWND m_hWnd = nullptr;
    WNDPROC m_prevWndProc = nullptr;
    bool m_subclassed = false;
};
