#pragma once

#include <windows.h>

// The modal "About" box (dialog 103) with its two links; returns when it is closed.
void ShowAboutBox(HWND owner);
