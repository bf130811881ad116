#include "app/ProcessStart.h"

#include <commctrl.h>

void RestrictDllSearchToSystemFolder()
{
    // Looked up: Windows 7 without its update has no such function, and importing it
    // would keep the program from starting there.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    // Through void (*)(): a cast from FARPROC straight to another function type is refused.
    const FARPROC address = kernel ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr;
    const auto setDefault =
        reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void (*)()>(address));
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
