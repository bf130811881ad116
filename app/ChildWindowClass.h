#pragma once

#include <windows.h>

// Registers a class for the main window's child windows (tab strip, pages, toolbar,
// folders pane): StaticWindowProc, arrow cursor, no background brush. A class that is
// already registered counts as success.
bool RegisterChildWindowClass(const wchar_t* className);
