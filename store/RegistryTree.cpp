#include "store/RegistryTree.h"

#include <algorithm>
#include <cstddef>

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

// A buffer sized for the longest name: no name ends the enumeration early.
std::vector<std::wstring> SubkeyNames(HKEY key, const KeyInfo& info)
{
    std::vector<std::wstring> names;
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

// Keys at one depth of a tree mostly look alike, and most are leaves: a leaf is
// deleted in one call, where opening it first to look for subkeys takes three more.
// So keys of a depth where a leaf was found are deleted at once and opened only
// when that is refused; the other depths are opened first.
enum class DepthShape
{
    Unknown,
    Leaves,
    Parents
};

struct TreeDeletion
{
    const RegistryWriteStep& beforeWrite;
    std::vector<DepthShape> shapes;
};

DepthShape& ShapeAt(TreeDeletion& deletion, std::size_t depth)
{
    if (deletion.shapes.size() <= depth)
        deletion.shapes.resize(depth + 1, DepthShape::Unknown);
    return deletion.shapes[depth];
}

// A leaf holds values. An empty key tells nothing about its depth: it may be a
// category without entries or one whose entries a cut-short deletion already
// took. One key with subkeys makes its depth one of parents for good.
void NoteShape(TreeDeletion& deletion, std::size_t depth, const KeyInfo& info)
{
    DepthShape& shape = ShapeAt(deletion, depth);
    if (info.subkeys != 0)
        shape = DepthShape::Parents;
    else if (info.values != 0 && shape == DepthShape::Unknown)
        shape = DepthShape::Leaves;
}

LONG DeleteKey(TreeDeletion& deletion, HKEY parent, const std::wstring& name, std::size_t depth);

// Deepest first: the key is deleted once everything below it is.
LONG DeleteOpened(TreeDeletion& deletion, HKEY parent, const std::wstring& name, std::size_t depth)
{
    CRegistryKey key;
    KeyInfo info;
    LONG first = key.Open(parent, name.c_str(), KEY_READ);
    if (first == ERROR_SUCCESS)
        first = QueryKeyInfo(key.Get(), info);
    if (first != ERROR_SUCCESS)
        return first;
    NoteShape(deletion, depth, info);
    for (const std::wstring& subkey : SubkeyNames(key.Get(), info))
        KeepFirstFailure(first, DeleteKey(deletion, key.Get(), subkey, depth + 1));
    key.Close();
    if (first != ERROR_SUCCESS)
        return first;
    deletion.beforeWrite();
    return RegDeleteKeyW(parent, name.c_str());
}

// The registry refuses to delete a key with subkeys as it refuses a key the
// caller may not delete; opening the key tells the two apart.
LONG DeleteKey(TreeDeletion& deletion, HKEY parent, const std::wstring& name, std::size_t depth)
{
    if (ShapeAt(deletion, depth) != DepthShape::Leaves)
        return DeleteOpened(deletion, parent, name, depth);
    deletion.beforeWrite();
    const LONG result = RegDeleteKeyW(parent, name.c_str());
    if (result != ERROR_ACCESS_DENIED)
        return result;
    return DeleteOpened(deletion, parent, name, depth);
}
} // namespace

std::vector<std::wstring> EnumerateSubkeyNames(HKEY key)
{
    KeyInfo info;
    if (QueryKeyInfo(key, info) != ERROR_SUCCESS)
        return {};
    return SubkeyNames(key, info);
}

bool HasRegistryContent(HKEY key)
{
    KeyInfo info;
    return QueryKeyInfo(key, info) == ERROR_SUCCESS && info.subkeys + info.values != 0;
}

LONG DeleteRegistryTree(HKEY parent, const std::wstring& path, const RegistryWriteStep& beforeWrite)
{
    TreeDeletion deletion{beforeWrite, {}};
    return DeleteOpened(deletion, parent, path, 0);
}

LONG CopyRegistryTree(HKEY source, HKEY destination, const RegistryWriteStep& beforeWrite)
{
    KeyInfo info;
    LONG first = QueryKeyInfo(source, info);
    if (first != ERROR_SUCCESS)
        return first;
    first = CopyValues(source, destination, info, beforeWrite);
    const std::vector<std::wstring> names = SubkeyNames(source, info);
    if (names.size() != info.subkeys)
        KeepFirstFailure(first, ERROR_CANTREAD);
    for (const std::wstring& name : names)
        KeepFirstFailure(first, CopySubkey(source, destination, name, beforeWrite));
    return first;
}
