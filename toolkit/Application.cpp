#include "toolkit/Application.h"

#include "toolkit/Shielded.h"
#include "toolkit/Window.h"

CApplication& CApplication::Instance()
{
    static CApplication application;
    return application;
}

CApplication::CApplication() : m_osVersion(QueryOsVersionClass()) {}

void CApplication::SetInstanceHandle(HINSTANCE instance)
{
    m_instance = instance;
}

HINSTANCE CApplication::GetInstanceHandle() const
{
    return m_instance;
}

int CApplication::GetOsVersion() const
{
    return m_osVersion;
}

int CApplication::OsVersionClass(const OSVERSIONINFOW& info)
{
    if (info.dwPlatformId != VER_PLATFORM_WIN32_NT)
        return 0;
    if (info.dwMajorVersion >= 6)
        return 4;
    if (info.dwMajorVersion < 5)
        return 0;
    if (info.dwMinorVersion >= 2)
        return 3;
    return info.dwMinorVersion == 1 ? 2 : 0;
}

int CApplication::QueryOsVersionClass()
{
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXW);
    auto* plain = reinterpret_cast<OSVERSIONINFOW*>(&info);
    if (!GetVersionExW(plain))
    {
        // Systems that predate the extended structure reject its size.
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
        if (!GetVersionExW(plain))
            return 0;
    }
    return OsVersionClass(*plain);
}

void CApplication::AddWindowObject(HWND hWnd, CWindow* window)
{
    m_windows[hWnd] = window;
}

CWindow* CApplication::FindWindowObject(HWND hWnd) const
{
    const auto found = m_windows.find(hWnd);
    return found == m_windows.end() ? nullptr : found->second;
}

void CApplication::RemoveWindowObject(HWND hWnd)
{
    m_windows.erase(hWnd);
}

bool CApplication::PreTranslateMessage(MSG* msg)
{
    for (HWND hWnd = msg->hwnd; hWnd; hWnd = GetParent(hWnd))
    {
        CWindow* window = FindWindowObject(hWnd);
        // A message whose handler threw is dropped: half handled, it must not go on to be
        // translated and dispatched, and the exception must not end the message loop.
        if (window &&
            CallShielded([&] { return window->PreTranslateMessage(msg); }, [] { return true; }))
            return true;
    }
    return false;
}
