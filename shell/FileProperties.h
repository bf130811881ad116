#pragma once

#include <windows.h>
#include <shtypes.h>

#include <string>
#include <vector>

// The absolute item identifier list of a path, which the caller frees with ILFree. A path the
// file system does not know still gets a simple list. False, with a null list, for an empty
// path or when the shell cannot make one.
bool PidlFromPath(const std::wstring& path, PIDLIST_ABSOLUTE* pidl);

// Opens the shell's Properties sheet for the paths; true when the shell accepted them.
// Nothing is shown, and false returned, when the list is empty or a path gets no item
// identifier list.
bool ShowFileProperties(const std::vector<std::wstring>& paths);
