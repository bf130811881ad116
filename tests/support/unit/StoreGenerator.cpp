#include "tests/support/unit/StoreGenerator.h"

#include <algorithm>

#include "tests/support/Registry.h"

namespace test_support
{
namespace
{
constexpr unsigned LongScale = 10;
constexpr std::size_t UsualNameLength = 100;
constexpr std::size_t MaxKeyNameLength = 255;
constexpr std::size_t HugeStringLength = 32 * 1024; // 64 KiB of UTF-16
constexpr wchar_t const* KindPaths[] = {L"Applications\\Category\\", L"Folders\\Category\\",
                                        L"Shortcuts\\Category\\"};
constexpr wchar_t const* StringValues[] = {L"ItemPath", L"Arguments", L"StartIn"};

std::size_t Pick(std::mt19937& random, std::size_t count)
{
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
}

bool OneIn(std::mt19937& random, std::size_t count)
{
    return Pick(random, count) == 0;
}

// One unit or, for a surrogate pair, two; never a backslash or a null.
void AppendRandomUnit(std::mt19937& random, std::wstring& text)
{
    static const wchar_t plain[] = L"abcXYZ019 ._-()&'~!";
    switch (Pick(random, 8))
    {
    case 0:
        text += L"\xD83D\xDE00"; // a character outside the basic plane
        break;
    case 1:
        text += static_cast<wchar_t>(0xD800 + Pick(random, 0x800)); // a lone surrogate
        break;
    case 2:
        text += static_cast<wchar_t>(0x4E00 + Pick(random, 0x5000));
        break;
    case 3:
        text += static_cast<wchar_t>(0x00C0 + Pick(random, 0x100));
        break;
    default:
        text += plain[Pick(random, ARRAYSIZE(plain) - 1)];
    }
}

std::wstring RandomText(std::mt19937& random, std::size_t length)
{
    std::wstring text;
    while (text.size() < length)
        AppendRandomUnit(random, text);
    text.resize(length);
    return text;
}

std::wstring RandomName(std::mt19937& random, const StoreShape& shape)
{
    if (shape.overlongNames && OneIn(random, 3))
        return RandomKeyName(random, MaxKeyNameLength);
    return RandomKeyName(random, UsualNameLength);
}

void WriteBytes(const std::wstring& path, const wchar_t* name, DWORD type,
                const std::vector<BYTE>& data)
{
    WriteRawValue(path, name, type, data.data(), static_cast<DWORD>(data.size()));
}

std::vector<BYTE> TextBytes(const std::wstring& text, std::size_t extraBytes)
{
    const BYTE* begin = reinterpret_cast<const BYTE*>(text.c_str());
    const std::size_t size =
        std::min(text.size() * sizeof(wchar_t) + extraBytes, (text.size() + 1) * sizeof(wchar_t));
    return std::vector<BYTE>(begin, begin + size);
}

std::vector<BYTE> RandomBytes(std::mt19937& random, std::size_t count)
{
    std::vector<BYTE> bytes(count);
    for (BYTE& byte : bytes)
        byte = static_cast<BYTE>(Pick(random, 256));
    return bytes;
}

// Text where text is expected, or anything else a damaged store may hold.
void WriteOddString(std::mt19937& random, const std::wstring& path, const wchar_t* name)
{
    const std::size_t length = OneIn(random, 40) ? HugeStringLength : Pick(random, 80);
    const std::wstring text = RandomText(random, length);
    switch (Pick(random, 9))
    {
    case 0:
        return; // missing
    case 1:
        WriteUnterminatedString(path, name, text);
        return;
    case 2:
        WriteBytes(path, name, REG_SZ, TextBytes(text, 1)); // an odd byte count
        return;
    case 3:
        WriteBytes(path, name, REG_EXPAND_SZ, TextBytes(text, 2));
        return;
    case 4:
        WriteDwordValue(path, name, static_cast<DWORD>(random()));
        return;
    case 5:
        WriteBytes(path, name, REG_BINARY, RandomBytes(random, Pick(random, 3000)));
        return;
    case 6:
        WriteBytes(path, name, REG_MULTI_SZ, TextBytes(text + L'\0' + text + L'\0', 2));
        return;
    default:
        WriteStringValue(path, name, text);
    }
}

void WriteOddHotKey(std::mt19937& random, const std::wstring& path)
{
    switch (Pick(random, 6))
    {
    case 0:
        return;
    case 1:
        WriteBytes(path, L"HotKey", REG_BINARY, RandomBytes(random, Pick(random, 9)));
        return;
    case 2:
        WriteBytes(path, L"HotKey", REG_QWORD, RandomBytes(random, 8));
        return;
    case 3:
        WriteStringValue(path, L"HotKey", L"0x641");
        return;
    default:
        WriteDwordValue(path, L"HotKey", static_cast<DWORD>(random()));
    }
}

// Keys and values the program never writes, below an entry or a category.
void WriteStrayContent(std::mt19937& random, const std::wstring& path)
{
    const std::wstring stray = path + L"\\" + RandomKeyName(random, 20);
    WriteStringValue(stray, L"ItemPath", L"C:\\stray.exe");
    WriteDwordValue(stray + L"\\Deeper", L"HotKey", 0x641);
    WriteStringValue(path, RandomKeyName(random, 20).c_str(), L"stray value");
}

// A fresh name, or now and then the case twin of the one before, which the registry opens
// as the same key.
std::wstring NextName(std::mt19937& random, const StoreShape& shape, std::wstring& previous)
{
    previous =
        !previous.empty() && OneIn(random, 6) ? CaseTwin(previous) : RandomName(random, shape);
    return previous;
}

void WriteEntry(std::mt19937& random, const StoreShape& shape, const std::wstring& categoryPath,
                std::wstring& previous)
{
    const std::wstring path = categoryPath + L"\\" + NextName(random, shape, previous);
    CreateRawKey(path);
    for (const wchar_t* name : StringValues)
        WriteOddString(random, path, name);
    WriteOddHotKey(random, path);
    if (OneIn(random, 10))
        WriteStrayContent(random, path);
}

void WriteKind(std::mt19937& random, const StoreShape& shape, const std::wstring& kindPath)
{
    const std::size_t categories = Pick(random, 5);
    std::wstring previousCategory;
    for (std::size_t c = 0; c < categories; ++c)
    {
        const std::wstring path = kindPath + NextName(random, shape, previousCategory);
        CreateRawKey(path);
        const std::size_t entries = Pick(random, 6);
        std::wstring previousEntry;
        for (std::size_t e = 0; e < entries; ++e)
            WriteEntry(random, shape, path, previousEntry);
        if (OneIn(random, 15))
            WriteRawValue(path, L"", REG_SZ, L"x", 2 * sizeof(wchar_t));
    }
}

void WriteKinds(std::mt19937& random, const StoreShape& shape, const std::wstring& root)
{
    for (const wchar_t* kindPath : KindPaths)
    {
        if (!OneIn(random, 4))
            WriteKind(random, shape, root + kindPath);
    }
}

// What a save cut short leaves: staged kinds, marked complete or not.
void WriteStaging(std::mt19937& random, const StoreShape& shape)
{
    const std::wstring staging = RootPath(L"CatalogueStaging\\");
    switch (Pick(random, 5))
    {
    case 0:
        WriteKinds(random, shape, staging);
        return;
    case 1:
        WriteKinds(random, shape, staging);
        WriteDwordValue(staging, L"Complete", 1);
        return;
    case 2:
        WriteDwordValue(staging, L"Complete", 1); // marked, with nothing staged
        return;
    default:
        return;
    }
}
} // namespace

std::wstring RandomKeyName(std::mt19937& random, std::size_t maxLength)
{
    const std::size_t length =
        OneIn(random, 8) ? maxLength : 1 + Pick(random, std::min<std::size_t>(maxLength, 24));
    return RandomText(random, length);
}

std::wstring RandomCatalogueName(std::mt19937& random)
{
    std::wstring name = RandomKeyName(random, 40);
    name += static_cast<wchar_t>(0x00C0 + Pick(random, 0x17));
    if (OneIn(random, 5))
        name.insert(Pick(random, name.size() + 1), 1, L'\\');
    return name;
}

std::wstring CaseTwin(const std::wstring& name)
{
    std::wstring twin = name;
    for (wchar_t& unit : twin)
    {
        if ((unit >= L'A' && unit <= L'Z') || (unit >= 0x00C0 && unit <= 0x00DE && unit != 0x00D7))
            unit = static_cast<wchar_t>(unit + 0x20);
        else if ((unit >= L'a' && unit <= L'z') ||
                 (unit >= 0x00E0 && unit <= 0x00FE && unit != 0x00F7))
            unit = static_cast<wchar_t>(unit - 0x20);
    }
    return twin;
}

void GenerateStore(std::mt19937& random, const StoreShape& shape)
{
    WriteKinds(random, shape, RootKey);
    WriteStaging(random, shape);
}

unsigned TortureScale()
{
    wchar_t value[8] = {};
    const DWORD length = GetEnvironmentVariableW(L"PATHMOOR_TORTURE_LONG", value, ARRAYSIZE(value));
    return length == 1 && value[0] == L'1' ? LongScale : 1;
}
} // namespace test_support
