#include <ole2.h>
#include <windows.h>

#include "app/MainWnd.h"
#include "app/ProcessStart.h"
#include "toolkit/Application.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // Before anything can load a DLL by name.
    RestrictDllSearchToSystemFolder();
    if (OleInitialize(nullptr) != S_OK)
        return 0;
    CApplication::Instance().SetInstanceHandle(instance);

    // One instance per desktop: a second start only brings the first one forward.
    if (HWND running = FindWindowW(MainWindowClassName, nullptr))
    {
        BringRunningInstanceForward(running, WM_RESTOREAPP);
        return 0;
    }

    InitCommonControlClasses();
    CMainWnd mainWnd;
    CMainWnd::Instance(&mainWnd);
    if (!mainWnd.Create())
        return 1;
    return static_cast<int>(mainWnd.RunMessageLoop());
}
