#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/Registry.h"

// A registry value as stored, read back with the plain registry API so that
// the store is never checked by itself.
struct RawValue
{
    LONG result = ERROR_SUCCESS;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// The layout as the program must keep it, spelled out here rather than taken
// from the program's own names. Paths are under HKEY_CURRENT_USER.
inline const std::wstring RootKey = L"Software\\Quillbrook\\Pathmoor\\";
inline const std::wstring RunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t RunValue[] = L"Pathmoor";

std::wstring RootPath(const std::wstring& relative = L"");
using e2e::KeyExists;
RawValue ReadRawValue(const std::wstring& path, const wchar_t* name);
LONG WriteRawValue(const std::wstring& path, const wchar_t* name, DWORD type, const void* data,
                   DWORD size);
LONG WriteDwordValue(const std::wstring& path, const wchar_t* name, DWORD value);
// REG_SZ with its terminating null.
LONG WriteStringValue(const std::wstring& path, const wchar_t* name, const std::wstring& value);
// REG_SZ without a terminator. The registry adds the null itself when the
// caller's data has one just behind the count, so the data handed over has not.
LONG WriteUnterminatedString(const std::wstring& path, const wchar_t* name,
                             const std::wstring& value);
// Leaves reading and deleting allowed, so that clean-up still works.
// Replaces the key's access list with the one the SDDL string gives.
LONG SetKeySecurity(const std::wstring& path, const wchar_t* sddl);
LONG DenyWrites(const std::wstring& path);
// Makes the key at path (under the root) anew as a volatile key, which can hold no
// non-volatile key below it: the catalogue's kind keys cannot be written there.
LONG MakeVolatileKey(const std::wstring& path);

testing::AssertionResult IsDwordValue(const std::wstring& path, const wchar_t* name,
                                      DWORD expected);
testing::AssertionResult IsStringValue(const std::wstring& path, const wchar_t* name,
                                       const std::wstring& expected);
testing::AssertionResult IsRectValue(const std::wstring& path, const wchar_t* name,
                                     const RECT& expected);
testing::AssertionResult IsValueAbsent(const std::wstring& path, const wchar_t* name);
testing::AssertionResult IsRectEqual(const RECT& actual, const RECT& expected);

// Every test starts and ends without the program's root key, and leaves the
// program's Run value as it found it.
class StoreTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Points HKEY_CURRENT_USER of this process at an empty key until TearDown:
    // a profile without a Run key, where keys may be locked safely.
    void UseEmptyProfile();

private:
    void RestoreRunValue() const;

    RawValue m_savedRunValue;
    HKEY m_emptyProfile = nullptr;
};
