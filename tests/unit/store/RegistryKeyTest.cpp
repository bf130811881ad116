#include <gtest/gtest.h>
#include <windows.h>

#include <cstddef>
#include <string>

#include "store/RegistryKey.h"
#include "tests/unit/store/StoreTest.h"

namespace
{
const DWORD DwordSentinel = 0xdeadbeef;
const wchar_t StringSentinel[] = L"sentinel";

class StoreRegistryKey : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        ASSERT_EQ(ERROR_SUCCESS, m_key.Create(HKEY_CURRENT_USER, m_path.c_str(), KEY_ALL_ACCESS));
    }

    void TearDown() override
    {
        m_key.Close();
        StoreTest::TearDown();
    }

    // Reads name with QueryString, starting from the sentinel.
    void ExpectString(const wchar_t* name, LONG expectedResult, const std::wstring& expected)
    {
        std::wstring value = StringSentinel;
        EXPECT_EQ(expectedResult, m_key.QueryString(name, value));
        EXPECT_EQ(expected, value) << "size " << value.size();
    }

    const std::wstring m_path = RootPath(L"RegistryKeyTest");
    CRegistryKey m_key;
};

TEST_F(StoreRegistryKey, OpenOfMissingKeyFailsWithoutHandle)
{
    CRegistryKey key;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              key.Open(HKEY_CURRENT_USER, RootPath(L"Missing").c_str(), KEY_READ));
    EXPECT_EQ(nullptr, key.Get());
    EXPECT_FALSE(KeyExists(RootPath(L"Missing")));
}

TEST_F(StoreRegistryKey, CreateReportsWhetherTheKeyIsNew)
{
    CRegistryKey key;
    DWORD disposition = DwordSentinel;
    ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, RootPath(L"New\\Deep").c_str(), KEY_READ,
                                        &disposition));
    EXPECT_EQ(static_cast<DWORD>(REG_CREATED_NEW_KEY), disposition);
    EXPECT_NE(nullptr, key.Get());
    disposition = DwordSentinel;
    ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, RootPath(L"New\\Deep").c_str(), KEY_READ,
                                        &disposition));
    EXPECT_EQ(static_cast<DWORD>(REG_OPENED_EXISTING_KEY), disposition);
}

TEST_F(StoreRegistryKey, FailedOpenDropsTheKeyHeldBefore)
{
    ASSERT_NE(nullptr, m_key.Get());
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              m_key.Open(HKEY_CURRENT_USER, RootPath(L"Missing").c_str(), KEY_READ));
    EXPECT_EQ(nullptr, m_key.Get());
    EXPECT_EQ(ERROR_SUCCESS, m_key.Close());
}

TEST_F(StoreRegistryKey, OpenWithDeniedAccessFails)
{
    m_key.Close();
    UseEmptyProfile();
    ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(L"Locked", L"Value", 1));
    ASSERT_EQ(ERROR_SUCCESS, DenyWrites(L"Locked"));
    CRegistryKey key;
    EXPECT_EQ(ERROR_ACCESS_DENIED, key.Open(HKEY_CURRENT_USER, L"Locked", KEY_SET_VALUE));
    EXPECT_EQ(nullptr, key.Get());
    EXPECT_EQ(ERROR_ACCESS_DENIED, key.Create(HKEY_CURRENT_USER, L"Locked", KEY_WRITE));
    EXPECT_EQ(nullptr, key.Get());
    EXPECT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, L"Locked", KEY_READ));
}

TEST_F(StoreRegistryKey, SetDwordWritesFourBytes)
{
    ASSERT_EQ(ERROR_SUCCESS, m_key.SetDword(L"Number", 0x12345678));
    EXPECT_TRUE(IsDwordValue(m_path, L"Number", 0x12345678));
    DWORD value = DwordSentinel;
    EXPECT_EQ(ERROR_SUCCESS, m_key.QueryDword(L"Number", value));
    EXPECT_EQ(0x12345678u, value);
}

TEST_F(StoreRegistryKey, QueryDwordRefusesOtherData)
{
    const BYTE fourBytes[4] = {1, 0, 0, 0};
    const BYTE eightBytes[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(ERROR_SUCCESS,
              WriteRawValue(m_path, L"Binary", REG_BINARY, fourBytes, sizeof fourBytes));
    ASSERT_EQ(ERROR_SUCCESS,
              WriteRawValue(m_path, L"Long", REG_DWORD, eightBytes, sizeof eightBytes));
    ASSERT_EQ(ERROR_SUCCESS, WriteRawValue(m_path, L"Short", REG_DWORD, fourBytes, 2));
    ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(m_path, L"String", L"1"));
    for (const wchar_t* name : {L"Binary", L"Long", L"Short", L"String", L"Missing"})
    {
        SCOPED_TRACE(testing::Message() << "value " << name);
        DWORD value = DwordSentinel;
        EXPECT_NE(ERROR_SUCCESS, m_key.QueryDword(name, value));
        EXPECT_EQ(DwordSentinel, value);
    }
}

TEST_F(StoreRegistryKey, QueryBinaryWantsTheExactSize)
{
    const RECT stored = {-1200, -50, -200, 650};
    ASSERT_EQ(ERROR_SUCCESS, m_key.SetBinary(L"Rect", &stored, sizeof stored));
    EXPECT_TRUE(IsRectValue(m_path, L"Rect", stored));
    RECT read = {1, 2, 3, 4};
    EXPECT_EQ(ERROR_SUCCESS, m_key.QueryBinary(L"Rect", &read, sizeof read));
    EXPECT_TRUE(IsRectEqual(read, stored));

    const BYTE bytes[20] = {};
    ASSERT_EQ(ERROR_SUCCESS, WriteRawValue(m_path, L"Short", REG_BINARY, bytes, 12));
    ASSERT_EQ(ERROR_SUCCESS, WriteRawValue(m_path, L"Long", REG_BINARY, bytes, 20));
    ASSERT_EQ(ERROR_SUCCESS, WriteRawValue(m_path, L"Text", REG_SZ, bytes, 16));
    for (const wchar_t* name : {L"Short", L"Long", L"Text", L"Missing"})
    {
        SCOPED_TRACE(testing::Message() << "value " << name);
        RECT untouched = {1, 2, 3, 4};
        EXPECT_NE(ERROR_SUCCESS, m_key.QueryBinary(name, &untouched, sizeof untouched));
        EXPECT_TRUE(IsRectEqual(untouched, RECT{1, 2, 3, 4}));
    }
}

TEST_F(StoreRegistryKey, SetStringStoresTheTerminator)
{
    ASSERT_EQ(ERROR_SUCCESS, m_key.SetString(L"Text", L"C:\\Program Files\\x.exe"));
    EXPECT_TRUE(IsStringValue(m_path, L"Text", L"C:\\Program Files\\x.exe"));
    ExpectString(L"Text", ERROR_SUCCESS, L"C:\\Program Files\\x.exe");
    ASSERT_EQ(ERROR_SUCCESS, m_key.SetString(L"Empty", L""));
    EXPECT_TRUE(IsStringValue(m_path, L"Empty", L""));
    ExpectString(L"Empty", ERROR_SUCCESS, L"");
}

TEST_F(StoreRegistryKey, QueryStringEndsAtNullOrDataEnd)
{
    ASSERT_EQ(ERROR_SUCCESS, WriteUnterminatedString(m_path, L"Bare", L"abc"));
    ASSERT_EQ(ERROR_SUCCESS, WriteRawValue(m_path, L"Inner", REG_SZ, L"ab\0cd", 12));
    ASSERT_EQ(ERROR_SUCCESS, WriteRawValue(m_path, L"Odd", REG_SZ, L"ab", 3));
    ASSERT_EQ(ERROR_SUCCESS, WriteRawValue(m_path, L"None", REG_SZ, L"", 0));
    ExpectString(L"Bare", ERROR_SUCCESS, L"abc");
    ExpectString(L"Inner", ERROR_SUCCESS, L"ab");
    ExpectString(L"Odd", ERROR_SUCCESS, L"a");
    ExpectString(L"None", ERROR_SUCCESS, L"");
}

TEST_F(StoreRegistryKey, QueryStringReadsLongValuesWhole)
{
    const std::wstring longText(5000, L'x');
    ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(m_path, L"Long", longText));
    ExpectString(L"Long", ERROR_SUCCESS, longText);
}

// Paths fit the first read; a value just longer, with or without its null,
// must still come back whole rather than cut at that buffer.
TEST_F(StoreRegistryKey, QueryStringReadsLengthsAroundAPathWhole)
{
    for (std::size_t length = MAX_PATH - 2; length <= MAX_PATH + 2; ++length)
    {
        SCOPED_TRACE(testing::Message() << "length " << length);
        const std::wstring text(length, L'p');
        ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(m_path, L"Terminated", text));
        ASSERT_EQ(ERROR_SUCCESS, WriteUnterminatedString(m_path, L"Bare", text));
        ExpectString(L"Terminated", ERROR_SUCCESS, text);
        ExpectString(L"Bare", ERROR_SUCCESS, text);
    }
}

TEST_F(StoreRegistryKey, QueryStringTakesExpandableStringsUnexpanded)
{
    const wchar_t text[] = L"%WINDIR%\\x.exe";
    ASSERT_EQ(ERROR_SUCCESS, WriteRawValue(m_path, L"Expand", REG_EXPAND_SZ, text, sizeof text));
    ExpectString(L"Expand", ERROR_SUCCESS, text);
}

TEST_F(StoreRegistryKey, QueryStringRefusesOtherTypes)
{
    ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(m_path, L"Number", 0x41));
    ASSERT_EQ(ERROR_SUCCESS, WriteRawValue(m_path, L"Binary", REG_BINARY, L"abc", 8));
    ExpectString(L"Number", ERROR_INVALID_DATA, StringSentinel);
    ExpectString(L"Binary", ERROR_INVALID_DATA, StringSentinel);
    ExpectString(L"Missing", ERROR_FILE_NOT_FOUND, StringSentinel);
}

TEST_F(StoreRegistryKey, HasValueCountsPresenceOnly)
{
    ASSERT_EQ(ERROR_SUCCESS, WriteRawValue(m_path, L"Empty", REG_BINARY, nullptr, 0));
    ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(m_path, L"Text", L"12345678"));
    EXPECT_TRUE(m_key.HasValue(L"Empty"));
    EXPECT_TRUE(m_key.HasValue(L"Text"));
    EXPECT_FALSE(m_key.HasValue(L"Missing"));
}

TEST_F(StoreRegistryKey, DeleteValueRemovesOnlyThatValue)
{
    ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(m_path, L"Gone", 1));
    ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(m_path, L"Kept", 2));
    EXPECT_EQ(ERROR_SUCCESS, m_key.DeleteValue(L"Gone"));
    EXPECT_TRUE(IsValueAbsent(m_path, L"Gone"));
    EXPECT_TRUE(IsDwordValue(m_path, L"Kept", 2));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, m_key.DeleteValue(L"Gone"));
}

TEST_F(StoreRegistryKey, WritesThroughAReadOnlyKeyFail)
{
    CRegistryKey key;
    ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, m_path.c_str(), KEY_READ));
    EXPECT_EQ(ERROR_ACCESS_DENIED, key.SetDword(L"Number", 1));
    EXPECT_EQ(ERROR_ACCESS_DENIED, key.SetString(L"Text", L"x"));
    EXPECT_TRUE(IsValueAbsent(m_path, L"Number"));
    EXPECT_TRUE(IsValueAbsent(m_path, L"Text"));
}
} // namespace
