#pragma once

#include <windows.h>

// What the entry point does for the whole process before any window exists.

// DLLs loaded by name come from the system folder only, never from the folder the
// program was started from (a download folder may hold a planted one). Systems
// without the call (Windows 7 before its update) keep their own search order.
void RestrictDllSearchToSystemFolder();

// Registers the version-6 common control classes the program creates: the edit cue
// banner and buttons, the tooltips and the item editor's SysLink, which Windows
// does not register on its own.
bool InitCommonControlClasses();

// A second start: the running instance may take the foreground when it comes
// forward, which Windows allows only to a process the foreground process names.
void BringRunningInstanceForward(HWND running, UINT restoreMessage);
