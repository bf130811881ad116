#pragma once

#include <windows.h>

// Gives the name field of the dialog the focus with its whole text selected, as after a
// refused name, so that the next key typed replaces it.
void FocusNameEdit(HWND dialog, HWND nameEdit);
