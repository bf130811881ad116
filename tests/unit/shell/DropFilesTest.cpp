#include "shell/Clipboard.h"
#include "tests/support/unit/ShellTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>

using test_support::DropListPaths;
using test_support::GlobalBytes;

namespace
{
// The header every drop list starts with: names at offset 20, point (0, 0), client area,
// wide names.
const std::vector<BYTE> WideHeader = {20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};

std::vector<BYTE> Utf16Bytes(const wchar_t* text, size_t characters)
{
    std::vector<BYTE> bytes(characters * sizeof(wchar_t));
    std::memcpy(bytes.data(), text, bytes.size());
    return bytes;
}

// The block must be movable, as the clipboard wants it; a fixed block locks to its own handle.
void ExpectMovable(HGLOBAL block, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    void* data = GlobalLock(block);
    EXPECT_NE(nullptr, data);
    EXPECT_NE(static_cast<void*>(block), data);
    GlobalUnlock(block);
}

TEST(ShellDropFiles, OnePathByteForByte)
{
    HGLOBAL block = BuildDropFiles({L"C:\\a.txt"});
    ASSERT_NE(nullptr, block);
    std::vector<BYTE> expected = WideHeader;
    const BYTE names[] = {'C', 0, ':', 0, '\\', 0, 'a', 0, '.', 0,
                          't', 0, 'x', 0, 't',  0, 0,   0, 0,   0};
    expected.insert(expected.end(), std::begin(names), std::end(names));
    EXPECT_EQ(40u, GlobalSize(block));
    EXPECT_EQ(expected, GlobalBytes(block));
    ExpectMovable(block, __LINE__);
    EXPECT_EQ(std::vector<std::wstring>{L"C:\\a.txt"}, DropListPaths(block));
    GlobalFree(block);
}

TEST(ShellDropFiles, SeveralPathsFollowEachOtherInListOrder)
{
    HGLOBAL block =
        BuildDropFiles({L"C:\\a.txt", L"D:\\dir\\b c.doc", L"C:\\\u00fcn\u00ef\\\u00df\u4e2d.txt"});
    ASSERT_NE(nullptr, block);
    // Every name ends in a zero character; the literal's own terminator ends the list.
    const wchar_t names[] = L"C:\\a.txt\0D:\\dir\\b c.doc\0C:\\\u00fcn\u00ef\\\u00df\u4e2d.txt\0";
    std::vector<BYTE> expected = WideHeader;
    const std::vector<BYTE> nameBytes = Utf16Bytes(names, std::size(names));
    expected.insert(expected.end(), nameBytes.begin(), nameBytes.end());
    EXPECT_EQ(20u + sizeof(names), GlobalSize(block));
    EXPECT_EQ(expected, GlobalBytes(block));
    const std::vector<std::wstring> paths = {L"C:\\a.txt", L"D:\\dir\\b c.doc",
                                             L"C:\\\u00fcn\u00ef\\\u00df\u4e2d.txt"};
    EXPECT_EQ(paths, DropListPaths(block));
    GlobalFree(block);
}

TEST(ShellDropFiles, PathsBeyondMaxPathGoInWhole)
{
    std::wstring longPath = L"C:\\";
    while (longPath.size() < 300)
        longPath += L"folder\\";
    longPath.resize(296);
    longPath += L".txt";
    ASSERT_EQ(300u, longPath.size());

    HGLOBAL block = BuildDropFiles({L"C:\\a.txt", longPath});
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(22u + 2 * 9 + 2 * 301, GlobalSize(block));
    const std::vector<BYTE> bytes = GlobalBytes(block);
    ASSERT_EQ(22u + 2 * 9 + 2 * 301, bytes.size());
    const std::vector<BYTE> longBytes = Utf16Bytes(longPath.c_str(), longPath.size() + 1);
    EXPECT_TRUE(std::equal(longBytes.begin(), longBytes.end(), bytes.begin() + 38))
        << "the long name follows the first one whole, with its zero character";
    EXPECT_EQ(0, bytes[bytes.size() - 2]);
    EXPECT_EQ(0, bytes[bytes.size() - 1]);
    const std::vector<std::wstring> paths = DropListPaths(block);
    ASSERT_EQ(2u, paths.size());
    EXPECT_EQ(longPath, paths[1]) << "read back with " << paths[1].size() << " characters";
    GlobalFree(block);
}

// An empty name or one holding a zero character would end the list early and hide every
// name after it; a list without names makes DragQueryFileW read past the block.
TEST(ShellDropFiles, RefusesListsReadersWouldMisread)
{
    EXPECT_EQ(nullptr, BuildDropFiles({}));
    EXPECT_EQ(nullptr, BuildDropFiles({L"C:\\a.txt", L"", L"C:\\b.txt"}));
    EXPECT_EQ(nullptr, BuildDropFiles({L""}));
    EXPECT_EQ(nullptr, BuildDropFiles({std::wstring(L"C:\\a\0C:\\b", 9)}));
}

TEST(ShellDropFiles, PerformedDropEffectFormatIsTheRegisteredOne)
{
    const UINT registered = RegisterClipboardFormatW(L"Performed DropEffect");
    EXPECT_GE(registered, 0xC000u);
    EXPECT_EQ(registered, PerformedDropEffectFormat());
    EXPECT_EQ(PerformedDropEffectFormat(), PerformedDropEffectFormat());
    wchar_t name[64];
    wmemset(name, L'#', 64);
    const int length = GetClipboardFormatNameW(PerformedDropEffectFormat(), name, 64);
    EXPECT_EQ(L"Performed DropEffect", std::wstring(name, length > 0 ? length : 0));
}
} // namespace
