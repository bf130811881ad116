#pragma once

#include <windows.h>

#include <string>

#include "store/Settings.h"

// Settings in HKEY_CURRENT_USER under RegistryRoot, and the shell's Run entry.
// Registry failures are silent: what cannot be read keeps its initial value.

// Fills the record at start-up and marks every later start as not the first.
// True when a window position was stored and the Run key exists.
bool LoadSettings(CSettings& settings);
// True when a window position was read; creates the root key when missing.
bool LoadWindowPlacement(CSettings& settings);
// True when the Run key exists; the command is read only from there.
bool LoadStartupCommand(CSettings& settings);
void SaveWindowPlacement(HWND window);

// The command follows what the Run key now holds, so it stays as it was when
// the change could not be written.
void SetLaunchOnStartup(CSettings& settings, bool enable);

void SaveShowApplicationIcons(CSettings& settings, bool show);
void SaveShowFolderIcons(CSettings& settings, bool show);
void SaveShowShortcutIcons(CSettings& settings, bool show);
void SaveHideAfterLaunch(CSettings& settings, bool hide);

// False, with both outputs untouched, when no hotkey was ever saved; a value
// that cannot be read leaves its output untouched.
bool LoadShowWindowHotKey(UINT& modifiers, UINT& key);
void SaveShowWindowHotKey(UINT modifiers, UINT key);

// A string of at most 2047 bytes, whatever its type, up to its first null or
// the end of its data. A missing or longer value gives an empty string and false.
bool ReadStringValue(const wchar_t* name, HKEY key, std::wstring& out);
