#pragma once

#include <windows.h>

#include <functional>

// Context menus whose command comes back from TrackPopupMenu (TPM_RETURNCMD) instead of
// as WM_COMMAND, so that the caller carries it out at once.

// Shows the popup at a point in screen coordinates; the chosen command, 0 for none.
UINT TrackPopupCommand(HMENU popup, POINT screen, HWND owner);

// Loads the menu resource, lets prepare set up its sub-menu 0 (check marks, disabled
// items), shows that at the point and destroys the menu again. The chosen command; 0
// for none and when the menu cannot be loaded.
UINT TrackMenuResource(UINT menuId, POINT screen, HWND owner,
                       const std::function<void(HMENU)>& prepare = nullptr);
