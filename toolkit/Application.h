#pragma once

#include <windows.h>

#include <map>

class CWindow;

// Process-wide state of the user interface: the module instance, the map through which
// every window message finds its object, and the OS version class.
class CApplication
{
public:
    static CApplication& Instance();

    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    void SetInstanceHandle(HINSTANCE instance);
    HINSTANCE GetInstanceHandle() const;

    // 4 for Vista and later, 3 for Server 2003/XP x64, 2 for XP, 0 for anything older.
    int GetOsVersion() const;
    static int OsVersionClass(const OSVERSIONINFOW& info);

    void AddWindowObject(HWND hWnd, CWindow* window);
    CWindow* FindWindowObject(HWND hWnd) const;
    void RemoveWindowObject(HWND hWnd);

    // Offers a queued message to the objects of its window and of each ancestor in turn.
    bool PreTranslateMessage(MSG* msg);

private:
    CApplication();
    static int QueryOsVersionClass();

    HINSTANCE m_instance = nullptr;
    std::map<HWND, CWindow*> m_windows;
    int m_osVersion = 0;
};
