#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "store/SettingsStore.h"
#include "tests/unit/store/StoreTest.h"

namespace
{
class StoreReadStringValue : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0,
                                                 KEY_READ, nullptr, &m_key, nullptr));
    }

    void TearDown() override
    {
        RegCloseKey(m_key);
        StoreTest::TearDown();
    }

    void Store(DWORD type, const void* data, DWORD size)
    {
        ASSERT_EQ(ERROR_SUCCESS, WriteRawValue(m_path, L"Value", type, data, size));
    }

    // Reads the value into a string that holds a sentinel beforehand.
    void ExpectRead(bool expectedResult, const std::wstring& expected)
    {
        std::wstring value = L"sentinel";
        EXPECT_EQ(expectedResult, ReadStringValue(L"Value", m_key, value));
        EXPECT_EQ(expected, value) << "size " << value.size();
    }

    const std::wstring m_path = RootPath(L"Strings");
    HKEY m_key = nullptr;
};

TEST_F(StoreReadStringValue, WithTerminator)
{
    Store(REG_SZ, L"C:\\Tools\\x.exe", sizeof L"C:\\Tools\\x.exe");
    ExpectRead(true, L"C:\\Tools\\x.exe");
}

TEST_F(StoreReadStringValue, WithoutTerminator)
{
    ASSERT_EQ(ERROR_SUCCESS, WriteUnterminatedString(m_path, L"Value", L"C:\\Tools\\x.exe"));
    ExpectRead(true, L"C:\\Tools\\x.exe");
}

TEST_F(StoreReadStringValue, UpToTheFirstNull)
{
    Store(REG_SZ, L"first\0second", sizeof L"first\0second");
    ExpectRead(true, L"first");
}

TEST_F(StoreReadStringValue, MissingValueGivesEmpty)
{
    ExpectRead(false, L"");
}

TEST_F(StoreReadStringValue, TypeIsIgnored)
{
    Store(REG_BINARY, L"abc", sizeof L"abc");
    ExpectRead(true, L"abc");
    Store(REG_EXPAND_SZ, L"%WINDIR%", sizeof L"%WINDIR%");
    ExpectRead(true, L"%WINDIR%");
}

TEST_F(StoreReadStringValue, LongestValueFits)
{
    const std::wstring text(1023, L'a');
    ASSERT_EQ(ERROR_SUCCESS, WriteUnterminatedString(m_path, L"Value", text));
    ExpectRead(true, text);
}

TEST_F(StoreReadStringValue, OddLengthEndsWithTheData)
{
    // Fills the buffer up to half its last unit, without a null behind it.
    const std::wstring text(1024, L'a');
    Store(REG_SZ, text.c_str(), 2047);
    ASSERT_EQ(2047u, ReadRawValue(m_path, L"Value").data.size());
    ExpectRead(true, std::wstring(1023, L'a'));
}

TEST_F(StoreReadStringValue, TooLongValueGivesEmpty)
{
    const std::wstring text(1023, L'a');
    Store(REG_SZ, text.c_str(), 2048);
    ExpectRead(false, L"");
}
} // namespace
