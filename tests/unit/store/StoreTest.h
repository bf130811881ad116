#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/Registry.h"

// The registry as the store tests read and write it, with the plain registry API.
using test_support::CreateRawKey;
using test_support::DumpTree;
using test_support::KeyExists;
using test_support::RawValue;
using test_support::ReadRawValue;
using test_support::RootKey;
using test_support::RootPath;
using test_support::WriteDwordValue;
using test_support::WriteRawValue;
using test_support::WriteStringValue;
using test_support::WriteUnterminatedString;

inline const std::wstring RunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t RunValue[] = L"Pathmoor";

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
