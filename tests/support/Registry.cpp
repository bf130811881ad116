#include "tests/support/Registry.h"

#include "toolkit/Scoped.h"

#include <algorithm>
#include <cstring>

namespace test_support
{
namespace
{
std::wstring Hex(const BYTE* data, DWORD size)
{
    static const wchar_t digits[] = L"0123456789abcdef";
    std::wstring text;
    for (DWORD i = 0; i < size; ++i)
    {
        text += digits[data[i] >> 4];
        text += digits[data[i] & 0xf];
    }
    return text;
}

void DumpValues(HKEY key, const std::wstring& where, std::vector<std::wstring>& lines)
{
    DWORD count = 0;
    DWORD maxName = 0;
    DWORD maxData = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &maxName,
                     &maxData, nullptr, nullptr);
    std::vector<wchar_t> name(maxName + 1);
    std::vector<BYTE> data(maxData + 1);
    for (DWORD i = 0; i < count; ++i)
    {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        const LONG result =
            RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &size);
        lines.push_back(where + L" " + std::wstring(name.data(), nameLength) + L" result " +
                        std::to_wstring(result) + L" type " + std::to_wstring(type) + L" " +
                        Hex(data.data(), size));
    }
}

void DumpKey(HKEY key, const std::wstring& where, std::vector<std::wstring>& lines)
{
    lines.push_back(where);
    DumpValues(key, where, lines);
    wchar_t name[300];
    for (DWORD i = 0;; ++i)
    {
        DWORD length = ARRAYSIZE(name);
        if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        CScopedKey subkey;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, subkey.Receive()) != ERROR_SUCCESS)
        {
            lines.push_back(where + L"\\" + name + L" cannot be opened");
            continue;
        }
        DumpKey(subkey.Get(), where + L"\\" + name, lines);
    }
}

// The lines the dumper gives of the key at path, sorted; none when there is no such key.
std::vector<std::wstring> Dump(const std::wstring& path, void (*dumper)(HKEY, const std::wstring&,
                                                                        std::vector<std::wstring>&))
{
    std::vector<std::wstring> lines;
    CScopedKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return lines;
    dumper(key.Get(), path, lines);
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The value's bytes when it has that type and exactly that size.
bool ReadExactly(const std::wstring& path, const wchar_t* name, DWORD type, void* data, DWORD size)
{
    const RawValue value = ReadRawValue(path, name);
    if (value.result != ERROR_SUCCESS || value.type != type || value.data.size() != size)
        return false;
    std::memcpy(data, value.data.data(), size);
    return true;
}
} // namespace

std::wstring RootPath(const std::wstring& relative)
{
    return RootKey + relative;
}

RawValue ReadRawValue(const std::wstring& path, const wchar_t* name)
{
    RawValue value;
    CScopedKey key;
    value.result =
        RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, key.Receive());
    if (value.result != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    value.result = RegQueryValueExW(key.Get(), name, nullptr, &value.type, nullptr, &size);
    value.data.resize(size);
    if (value.result == ERROR_SUCCESS)
        value.result =
            RegQueryValueExW(key.Get(), name, nullptr, &value.type, value.data.data(), &size);
    return value;
}

LONG WriteRawValue(const std::wstring& path, const wchar_t* name, DWORD type, const void* data,
                   DWORD size)
{
    CScopedKey key;
    LONG result = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, key.Receive(), nullptr);
    if (result != ERROR_SUCCESS)
        return result;
    result = RegSetValueExW(key.Get(), name, 0, type, static_cast<const BYTE*>(data), size);
    return result;
}

LONG WriteDwordValue(const std::wstring& path, const wchar_t* name, DWORD value)
{
    return WriteRawValue(path, name, REG_DWORD, &value, sizeof value);
}

LONG WriteStringValue(const std::wstring& path, const wchar_t* name, const std::wstring& value)
{
    return WriteRawValue(path, name, REG_SZ, value.c_str(),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

LONG WriteUnterminatedString(const std::wstring& path, const wchar_t* name,
                             const std::wstring& value)
{
    const std::wstring guarded = value + L'#';
    const DWORD size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    const LONG result = WriteRawValue(path, name, REG_SZ, guarded.c_str(), size);
    if (result != ERROR_SUCCESS)
        return result;
    return ReadRawValue(path, name).data.size() == size ? ERROR_SUCCESS : ERROR_INVALID_DATA;
}

LONG CreateRawKey(const std::wstring& path)
{
    CScopedKey key;
    return RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                           key.Receive(), nullptr);
}

bool CreateKey(const std::wstring& path)
{
    return CreateRawKey(path) == ERROR_SUCCESS;
}

bool KeyExists(const std::wstring& path)
{
    CScopedKey key;
    return RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.Receive()) ==
           ERROR_SUCCESS;
}

bool ValueExists(const std::wstring& path, const wchar_t* name)
{
    return ReadRawValue(path, name).result == ERROR_SUCCESS;
}

bool ReadDword(const std::wstring& path, const wchar_t* name, DWORD& value)
{
    return ReadExactly(path, name, REG_DWORD, &value, sizeof(value));
}

bool ReadBinary(const std::wstring& path, const wchar_t* name, void* data, DWORD size)
{
    return ReadExactly(path, name, REG_BINARY, data, size);
}

bool WriteDword(const std::wstring& path, const wchar_t* name, DWORD value)
{
    return WriteDwordValue(path, name, value) == ERROR_SUCCESS;
}

bool WriteBinary(const std::wstring& path, const wchar_t* name, const void* data, DWORD size)
{
    return WriteRawValue(path, name, REG_BINARY, data, size) == ERROR_SUCCESS;
}

bool WriteString(const std::wstring& path, const wchar_t* name, const std::wstring& value)
{
    return WriteStringValue(path, name, value) == ERROR_SUCCESS;
}

std::wstring ReadString(const std::wstring& path, const wchar_t* name)
{
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_SZ, nullptr, nullptr,
                     &size) != ERROR_SUCCESS)
        return L"<none>";
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_SZ, nullptr, &text[0],
                     &size) != ERROR_SUCCESS)
        return L"<none>";
    text.resize(wcslen(text.c_str()));
    return text;
}

std::vector<std::wstring> SubKeys(const std::wstring& path)
{
    std::vector<std::wstring> names;
    CScopedKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return names;
    wchar_t name[256];
    for (DWORD i = 0, size = 256; RegEnumKeyExW(key.Get(), i, name, &size, nullptr, nullptr,
                                                nullptr, nullptr) == ERROR_SUCCESS;
         ++i, size = 256)
        names.push_back(name);
    std::sort(names.begin(), names.end(),
              [](const std::wstring& a, const std::wstring& b) {
                  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_LESS_THAN;
              });
    return names;
}

std::vector<std::wstring> DumpTree(const std::wstring& path)
{
    return Dump(path, DumpKey);
}

std::vector<std::wstring> DumpValues(const std::wstring& path)
{
    return Dump(path, DumpValues);
}
} // namespace test_support
