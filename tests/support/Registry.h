#pragma once

// The program's settings under HKCU as the end-to-end tests read and prepare them.

#include "tests/support/Harness.h"

#include <string>
#include <vector>

namespace e2e
{
inline const std::wstring ApplicationsKey = std::wstring(ProgramRoot) + L"\\Applications\\Category";
inline const std::wstring ShortcutsKey = std::wstring(ProgramRoot) + L"\\Shortcuts\\Category";
inline const std::wstring FoldersKey = std::wstring(ProgramRoot) + L"\\Folders\\Category";
inline const std::wstring ShowKey = std::wstring(ProgramRoot) + L"\\KeyShortcuts\\Show";

// Creates the key and its parents as needed.
bool CreateKey(const std::wstring& path);
bool KeyExists(const std::wstring& path);
bool WriteString(const std::wstring& path, const wchar_t* name, const std::wstring& value);
// The value as stored, whatever its length, or "<none>" when there is no such string.
std::wstring ReadString(const std::wstring& path, const wchar_t* name);
// The names of the keys under path, in the registry's own case-blind order, so a result
// compares the same however the keys were written.
std::vector<std::wstring> SubKeys(const std::wstring& path);
// Every key and value below path, for comparing two states of the registry.
std::wstring DumpTree(const std::wstring& path);
} // namespace e2e
