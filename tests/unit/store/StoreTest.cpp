#include "tests/unit/store/StoreTest.h"

#include <sddl.h>
#include <shlwapi.h>

#include <cstring>
#include <sstream>

namespace
{
std::string Describe(const RawValue& value)
{
    std::ostringstream text;
    text << "result " << value.result << ", type " << value.type << ", " << value.data.size()
         << " bytes:";
    for (BYTE b : value.data)
        text << ' ' << std::hex << static_cast<int>(b);
    return text.str();
}

std::vector<BYTE> Bytes(const void* data, std::size_t size)
{
    const BYTE* begin = static_cast<const BYTE*>(data);
    return std::vector<BYTE>(begin, begin + size);
}

testing::AssertionResult IsRawValue(const std::wstring& path, const wchar_t* name, DWORD type,
                                    const std::vector<BYTE>& data)
{
    const RawValue actual = ReadRawValue(path, name);
    if (actual.result == ERROR_SUCCESS && actual.type == type && actual.data == data)
        return testing::AssertionSuccess();
    RawValue expected;
    expected.type = type;
    expected.data = data;
    return testing::AssertionFailure()
           << name << " is {" << Describe(actual) << "}, expected {" << Describe(expected) << "}";
}
} // namespace

LONG SetKeySecurity(const std::wstring& path, const wchar_t* sddl)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor,
                                                              nullptr))
        return static_cast<LONG>(GetLastError());
    HKEY key = nullptr;
    LONG result = RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &key);
    if (result == ERROR_SUCCESS)
    {
        result = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
        RegCloseKey(key);
    }
    LocalFree(descriptor);
    return result;
}

LONG DenyWrites(const std::wstring& path)
{
    // Everyone: read and delete, nothing else.
    return SetKeySecurity(path, L"D:P(A;;KRSD;;;WD)");
}

LONG MakeVolatileKey(const std::wstring& path)
{
    SHDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
    HKEY key = nullptr;
    const LONG result = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr,
                                        REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &key, nullptr);
    if (result == ERROR_SUCCESS)
        RegCloseKey(key);
    return result;
}

testing::AssertionResult IsDwordValue(const std::wstring& path, const wchar_t* name, DWORD expected)
{
    return IsRawValue(path, name, REG_DWORD, Bytes(&expected, sizeof expected));
}

testing::AssertionResult IsStringValue(const std::wstring& path, const wchar_t* name,
                                       const std::wstring& expected)
{
    return IsRawValue(path, name, REG_SZ,
                      Bytes(expected.c_str(), (expected.size() + 1) * sizeof(wchar_t)));
}

testing::AssertionResult IsRectValue(const std::wstring& path, const wchar_t* name,
                                     const RECT& expected)
{
    return IsRawValue(path, name, REG_BINARY, Bytes(&expected, sizeof expected));
}

testing::AssertionResult IsValueAbsent(const std::wstring& path, const wchar_t* name)
{
    const RawValue actual = ReadRawValue(path, name);
    if (actual.result == ERROR_FILE_NOT_FOUND)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << name << " is {" << Describe(actual) << "}, expected none";
}

testing::AssertionResult IsRectEqual(const RECT& actual, const RECT& expected)
{
    if (EqualRect(&actual, &expected))
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "rect is {" << actual.left << ", " << actual.top << ", " << actual.right << ", "
           << actual.bottom << "}, expected {" << expected.left << ", " << expected.top << ", "
           << expected.right << ", " << expected.bottom << "}";
}

void StoreTest::SetUp()
{
    SHDeleteKeyW(HKEY_CURRENT_USER, RootKey.c_str());
    ASSERT_FALSE(KeyExists(RootKey)) << "the program's root key could not be removed";
    m_savedRunValue = ReadRawValue(RunKey, RunValue);
}

void StoreTest::TearDown()
{
    if (m_emptyProfile)
    {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(m_emptyProfile);
        m_emptyProfile = nullptr;
    }
    SHDeleteKeyW(HKEY_CURRENT_USER, RootKey.c_str());
    EXPECT_FALSE(KeyExists(RootKey)) << "the program's root key was left behind";
    RestoreRunValue();
}

void StoreTest::UseEmptyProfile()
{
    // Under the root key, so that TearDown removes it with everything else.
    const std::wstring path = RootPath(L"EmptyProfile");
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &m_emptyProfile, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_CURRENT_USER, m_emptyProfile));
    ASSERT_FALSE(KeyExists(RunKey)) << "HKEY_CURRENT_USER was not redirected";
}

void StoreTest::RestoreRunValue() const
{
    if (m_savedRunValue.result == ERROR_SUCCESS)
    {
        const RawValue& saved = m_savedRunValue;
        EXPECT_EQ(ERROR_SUCCESS, WriteRawValue(RunKey, RunValue, saved.type, saved.data.data(),
                                               static_cast<DWORD>(saved.data.size())));
        return;
    }
    HKEY run = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, RunKey.c_str(), 0, KEY_SET_VALUE, &run) != ERROR_SUCCESS)
        return;
    RegDeleteValueW(run, RunValue);
    RegCloseKey(run);
}
