#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

class CCategorizedList;

// The ids of every process of the system: the buffer grows until EnumProcesses leaves room
// to spare, so none is cut off. Empty when the system refuses the list.
std::vector<DWORD> EnumAllProcesses(size_t initialCapacity = 1024);

// The window to ask the process to end through (CWindowFromProcessIterator::GetMainWindow),
// or null.
HWND FindProcessWindow(DWORD processId);

// Rewrites the running state of every application item of the list. An item runs while one
// of the processes has an image of the same file name, compared case-insensitively (folders
// are not compared); its process window is that of the last such process in the given order.
void ScanRunningApplications(CCategorizedList& applications, const std::vector<DWORD>& processIds);
