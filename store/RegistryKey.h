#pragma once

#include <windows.h>

#include <string>

#include "toolkit/Scoped.h"

// One open registry key, held by the scoped key holder, with the reads and writes the
// program makes. Every read leaves the caller's variable as it was unless it succeeds
// with data of the expected type and size.
class CRegistryKey
{
public:
    CRegistryKey() = default;
    ~CRegistryKey();
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Both close the key held before, also when they fail.
    LONG Open(HKEY parent, const wchar_t* path, REGSAM access);
    LONG Create(HKEY parent, const wchar_t* path, REGSAM access, DWORD* disposition = nullptr);
    LONG Close();
    HKEY Get() const;

    bool HasValue(const wchar_t* name) const;
    // REG_DWORD of exactly four bytes.
    LONG QueryDword(const wchar_t* name, DWORD& value) const;
    // REG_BINARY of exactly size bytes.
    LONG QueryBinary(const wchar_t* name, void* data, DWORD size) const;
    // REG_SZ or REG_EXPAND_SZ (not expanded) of any length, up to the first null.
    LONG QueryString(const wchar_t* name, std::wstring& value) const;

    LONG SetDword(const wchar_t* name, DWORD value);
    LONG SetBinary(const wchar_t* name, const void* data, DWORD size);
    // REG_SZ with its terminating null.
    LONG SetString(const wchar_t* name, const std::wstring& value);
    LONG DeleteValue(const wchar_t* name);

private:
    CScopedKey m_key;
};
