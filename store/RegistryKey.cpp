#include "store/RegistryKey.h"

#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <vector>

namespace
{
BYTE* AsBytes(void* data)
{
    return static_cast<BYTE*>(data);
}

const BYTE* AsBytes(const void* data)
{
    return static_cast<const BYTE*>(data);
}

bool IsStringType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

// Most strings are paths: a buffer that holds one reads them in a single call.
constexpr DWORD FirstBufferBytes = MAX_PATH * sizeof(wchar_t);

// Reads the whole data, growing the buffer when the value is longer than
// announced; the spare unit keeps an odd byte count inside the buffer.
LONG QueryStringData(HKEY key, const wchar_t* name, DWORD& type, std::vector<wchar_t>& buffer,
                     DWORD& size)
{
    LONG result = ERROR_MORE_DATA;
    size = FirstBufferBytes;
    while (result == ERROR_MORE_DATA)
    {
        buffer.assign(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        result = RegQueryValueExW(key, name, nullptr, &type, AsBytes(buffer.data()), &size);
    }
    return result;
}
} // namespace

CRegistryKey::~CRegistryKey() = default;

LONG CRegistryKey::Open(HKEY parent, const wchar_t* path, REGSAM access)
{
    Close();
    HKEY key = nullptr;
    const LONG result = RegOpenKeyExW(parent, path, 0, access, &key);
    if (result == ERROR_SUCCESS)
        m_key.Reset(key);
    return result;
}

LONG CRegistryKey::Create(HKEY parent, const wchar_t* path, REGSAM access, DWORD* disposition)
{
    Close();
    HKEY key = nullptr;
    const LONG result = RegCreateKeyExW(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                        nullptr, &key, disposition);
    if (result == ERROR_SUCCESS)
        m_key.Reset(key);
    return result;
}

LONG CRegistryKey::Close()
{
    const HKEY key = m_key.Detach();
    return key ? RegCloseKey(key) : ERROR_SUCCESS;
}

HKEY CRegistryKey::Get() const
{
    return m_key.Get();
}

bool CRegistryKey::HasValue(const wchar_t* name) const
{
    return RegQueryValueExW(m_key.Get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

LONG CRegistryKey::QueryDword(const wchar_t* name, DWORD& value) const
{
    DWORD type = REG_NONE;
    DWORD data = 0;
    DWORD size = sizeof data;
    const LONG result = RegQueryValueExW(m_key.Get(), name, nullptr, &type, AsBytes(&data), &size);
    if (result != ERROR_SUCCESS)
        return result;
    if (type != REG_DWORD || size != sizeof data)
        return ERROR_INVALID_DATA;
    value = data;
    return ERROR_SUCCESS;
}

LONG CRegistryKey::QueryBinary(const wchar_t* name, void* data, DWORD size) const
{
    // One spare byte tells a longer value from one of the exact size in a single call.
    std::vector<BYTE> buffer(static_cast<std::size_t>(size) + 1);
    DWORD type = REG_NONE;
    DWORD read = static_cast<DWORD>(buffer.size());
    const LONG result = RegQueryValueExW(m_key.Get(), name, nullptr, &type, buffer.data(), &read);
    if (result == ERROR_MORE_DATA)
        return ERROR_INVALID_DATA;
    if (result != ERROR_SUCCESS)
        return result;
    if (type != REG_BINARY || read != size)
        return ERROR_INVALID_DATA;
    std::copy(buffer.begin(), buffer.begin() + size, AsBytes(data));
    return ERROR_SUCCESS;
}

LONG CRegistryKey::QueryString(const wchar_t* name, std::wstring& value) const
{
    DWORD type = REG_NONE;
    DWORD size = 0;
    std::vector<wchar_t> buffer;
    const LONG result = QueryStringData(m_key.Get(), name, type, buffer, size);
    if (result != ERROR_SUCCESS)
        return result;
    if (!IsStringType(type))
        return ERROR_INVALID_DATA;
    // Data stored without a terminator ends where the data ends.
    value.assign(buffer.data(), wcsnlen(buffer.data(), size / sizeof(wchar_t)));
    return ERROR_SUCCESS;
}

LONG CRegistryKey::SetDword(const wchar_t* name, DWORD value)
{
    return RegSetValueExW(m_key.Get(), name, 0, REG_DWORD, AsBytes(&value), sizeof value);
}

LONG CRegistryKey::SetBinary(const wchar_t* name, const void* data, DWORD size)
{
    return RegSetValueExW(m_key.Get(), name, 0, REG_BINARY, AsBytes(data), size);
}

LONG CRegistryKey::SetString(const wchar_t* name, const std::wstring& value)
{
    const DWORD size = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(m_key.Get(), name, 0, REG_SZ, AsBytes(value.c_str()), size);
}

LONG CRegistryKey::DeleteValue(const wchar_t* name)
{
    return RegDeleteValueW(m_key.Get(), name);
}
