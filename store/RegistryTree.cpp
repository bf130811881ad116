#include "store/RegistryTree.h"

#include <algorithm>

#include "store/RegistryKey.h"

namespace
{
// The longest key name the registry allows, without the null.
constexpr DWORD MaxKeyNameLength = 255;

struct KeyInfo
{
    DWORD subkeys = 0;
    DWORD maxSubkeyLength = 0;
    DWORD values = 0;
    DWORD maxValueNameLength = 0;
    DWORD maxValueBytes = 0;
};

LONG QueryKeyInfo(HKEY key, KeyInfo& info)
{
    return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &info.subkeys, &info.maxSubkeyLength,
                            nullptr, &info.values, &info.maxValueNameLength, &info.maxValueBytes,
                            nullptr, nullptr);
}

void KeepFirstFailure(LONG& first, LONG result)
{
    if (first == ERROR_SUCCESS)
        first = result;
}

LONG CopyValues(HKEY source, HKEY destination, const KeyInfo& info,
                const RegistryWriteStep& beforeWrite)
{
    LONG first = ERROR_SUCCESS;
    std::vector<wchar_t> name(info.maxValueNameLength + 1);
    std::vector<BYTE> data(std::max<DWORD>(info.maxValueBytes, 1));
    for (DWORD index = 0; index < info.values; ++index)
    {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD type = REG_NONE;
        DWORD size = static_cast<DWORD>(data.size());
        LONG result = RegEnumValueW(source, index, name.data(), &nameLength, nullptr, &type,
                                    data.data(), &size);
        if (result == ERROR_SUCCESS)
        {
            beforeWrite();
            result = RegSetValueExW(destination, name.data(), 0, type, data.data(), size);
        }
        KeepFirstFailure(first, result);
    }
    return first;
}

LONG CopySubkey(HKEY source, HKEY destination, const std::wstring& name,
                const RegistryWriteStep& beforeWrite)
{
    CRegistryKey from;
    LONG result = from.Open(source, name.c_str(), KEY_READ);
    if (result != ERROR_SUCCESS)
        return result;
    beforeWrite();
    CRegistryKey to;
    result = to.Create(destination, name.c_str(), KEY_READ | KEY_WRITE);
    if (result != ERROR_SUCCESS)
        return result;
    return CopyRegistryTree(from.Get(), to.Get(), beforeWrite);
}
} // namespace

std::vector<std::wstring> EnumerateSubkeyNames(HKEY key)
{
    std::vector<std::wstring> names;
    KeyInfo info;
    if (QueryKeyInfo(key, info) != ERROR_SUCCESS)
        return names;
    // A buffer sized for the longest name: no name ends the enumeration early.
    std::vector<wchar_t> buffer(std::max(info.maxSubkeyLength, MaxKeyNameLength) + 1);
    for (DWORD index = 0; index < info.subkeys; ++index)
    {
        DWORD length = static_cast<DWORD>(buffer.size());
        if (RegEnumKeyExW(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_SUCCESS)
            names.emplace_back(buffer.data(), length);
    }
    return names;
}

bool HasRegistryContent(HKEY key)
{
    KeyInfo info;
    return QueryKeyInfo(key, info) == ERROR_SUCCESS && info.subkeys + info.values != 0;
}

LONG DeleteRegistryTree(HKEY parent, const std::wstring& path, const RegistryWriteStep& beforeWrite)
{
    CRegistryKey key;
    LONG first = key.Open(parent, path.c_str(), KEY_READ);
    if (first != ERROR_SUCCESS)
        return first;
    for (const std::wstring& name : EnumerateSubkeyNames(key.Get()))
        KeepFirstFailure(first, DeleteRegistryTree(key.Get(), name, beforeWrite));
    key.Close();
    if (first != ERROR_SUCCESS)
        return first;
    beforeWrite();
    return RegDeleteKeyW(parent, path.c_str());
}

LONG CopyRegistryTree(HKEY source, HKEY destination, const RegistryWriteStep& beforeWrite)
{
    KeyInfo info;
    LONG first = QueryKeyInfo(source, info);
    if (first != ERROR_SUCCESS)
        return first;
    first = CopyValues(source, destination, info, beforeWrite);
    const std::vector<std::wstring> names = EnumerateSubkeyNames(source);
    if (names.size() != info.subkeys)
        KeepFirstFailure(first, ERROR_CANTREAD);
    for (const std::wstring& name : names)
        KeepFirstFailure(first, CopySubkey(source, destination, name, beforeWrite));
    return first;
}
