#include "app/ProcessStart.h"

#include <commctrl.h>

#include "toolkit/Utilities.h"

void RestrictDllSearchToSystemFolder()
{
    // Looked up: Windows 7 without its update has no such function, and importing it
    // would keep the program from starting there.
    const auto setDefault = GetProcedure<BOOL(WINAPI*)(DWORD)>(GetModuleHandleW(L"kernel32.dll"),
                                                               "SetDefaultDllDirectories");
    if (setDefault != nullptr)
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

bool InitCommonControlClasses()
{
    INITCOMMONCONTROLSEX classes = {};
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_LINK_CLASS;
    return InitCommonControlsEx(&classes) != FALSE;
}

void BringRunningInstanceForward(HWND running, UINT restoreMessage)
{
    DWORD processId = 0;
    if (GetWindowThreadProcessId(running, &processId) != 0 && processId != 0)
        AllowSetForegroundWindow(processId);
    PostMessageW(running, restoreMessage, 0, 0);
}
