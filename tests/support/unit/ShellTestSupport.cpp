#include "tests/support/unit/ShellTestSupport.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <cstring>

namespace test_support
{
std::vector<BYTE> GlobalBytes(HGLOBAL block)
{
    const SIZE_T size = GlobalSize(block);
    const auto* data = static_cast<const BYTE*>(GlobalLock(block));
    if (!data)
        return {};
    std::vector<BYTE> bytes(data, data + size);
    GlobalUnlock(block);
    return bytes;
}

std::vector<std::wstring> DropListPaths(HGLOBAL block)
{
    auto drop = static_cast<HDROP>(block);
    std::vector<std::wstring> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i)
    {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'#');
        path.resize(DragQueryFileW(drop, i, &path[0], static_cast<UINT>(path.size())));
        paths.push_back(path);
    }
    return paths;
}

STGMEDIUM GlobalMedium(HGLOBAL block, IUnknown* releaser)
{
    STGMEDIUM medium = {};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = block;
    medium.pUnkForRelease = releaser;
    return medium;
}

FORMATETC DropListFormat(DWORD tymed)
{
    return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, tymed};
}

void ExpectSameFormat(const FORMATETC& expected, const FORMATETC& actual, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    EXPECT_EQ(expected.cfFormat, actual.cfFormat);
    EXPECT_EQ(expected.ptd, actual.ptd);
    EXPECT_EQ(expected.dwAspect, actual.dwAspect);
    EXPECT_EQ(expected.lindex, actual.lindex);
    EXPECT_EQ(expected.tymed, actual.tymed);
}

DVTARGETDEVICE* NewTargetDevice(DWORD size)
{
    auto* device = static_cast<DVTARGETDEVICE*>(CoTaskMemAlloc(size));
    auto* bytes = reinterpret_cast<BYTE*>(device);
    for (DWORD i = 0; i < size; ++i)
        bytes[i] = static_cast<BYTE>(0xA0 + i);
    device->tdSize = size;
    return device;
}

bool SameTargetDevice(const DVTARGETDEVICE* left, const DVTARGETDEVICE* right)
{
    return left->tdSize == right->tdSize && std::memcmp(left, right, left->tdSize) == 0;
}
} // namespace test_support
