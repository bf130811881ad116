#pragma once

// The registry under HKEY_CURRENT_USER, read and written with the plain registry API so that
// the program's store is never checked by itself. Unit and end-to-end tests alike.

#include <windows.h>

#include <string>
#include <vector>

namespace test_support
{
// The layout as the program must keep it, spelled out here rather than taken from the
// program's own names.
inline const std::wstring ProgramKey = L"Software\\Quillbrook\\Pathmoor";
inline const std::wstring RootKey = ProgramKey + L"\\";
inline const std::wstring ApplicationsKey = RootKey + L"Applications\\Category";
inline const std::wstring ShortcutsKey = RootKey + L"Shortcuts\\Category";
inline const std::wstring FoldersKey = RootKey + L"Folders\\Category";
inline const std::wstring ShowKey = RootKey + L"KeyShortcuts\\Show";

// A path below the program's root key.
std::wstring RootPath(const std::wstring& relative = L"");

// A registry value as stored.
struct RawValue
{
    LONG result = ERROR_SUCCESS;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

RawValue ReadRawValue(const std::wstring& path, const wchar_t* name);
// The key and its parents are created as needed.
LONG WriteRawValue(const std::wstring& path, const wchar_t* name, DWORD type, const void* data,
                   DWORD size);
LONG WriteDwordValue(const std::wstring& path, const wchar_t* name, DWORD value);
// REG_SZ with its terminating null.
LONG WriteStringValue(const std::wstring& path, const wchar_t* name, const std::wstring& value);
// REG_SZ without a terminator. The registry adds the null itself when the
// caller's data has one just behind the count, so the data handed over has not.
LONG WriteUnterminatedString(const std::wstring& path, const wchar_t* name,
                             const std::wstring& value);
// Creates the key and its parents as needed.
LONG CreateRawKey(const std::wstring& path);

// The same as yes or no.
bool CreateKey(const std::wstring& path);
bool KeyExists(const std::wstring& path);
bool ValueExists(const std::wstring& path, const wchar_t* name);
// True only for a value of that type and exactly that size.
bool ReadDword(const std::wstring& path, const wchar_t* name, DWORD& value);
bool ReadBinary(const std::wstring& path, const wchar_t* name, void* data, DWORD size);
bool WriteDword(const std::wstring& path, const wchar_t* name, DWORD value);
bool WriteBinary(const std::wstring& path, const wchar_t* name, const void* data, DWORD size);
bool WriteString(const std::wstring& path, const wchar_t* name, const std::wstring& value);
// The value as stored, whatever its length, or "<none>" when there is no such string.
std::wstring ReadString(const std::wstring& path, const wchar_t* name);
// The names of the keys under path, in the registry's own case-blind order, so a result
// compares the same however the keys were written.
std::vector<std::wstring> SubKeys(const std::wstring& path);

// Every key and value at or below path, one sorted line each with the value's type and
// bytes (and a key that cannot be opened as such), for comparing two states of the
// registry; empty when there is no such key.
std::vector<std::wstring> DumpTree(const std::wstring& path);
// The values of the key alone, in the same lines.
std::vector<std::wstring> DumpValues(const std::wstring& path);
} // namespace test_support
