#pragma once

#include <windows.h>
#include <objidl.h>

#include <string>
#include <vector>

#include "tests/support/Files.h"

namespace test_support
{
// The bytes of a global memory block, as GlobalSize counts them.
std::vector<BYTE> GlobalBytes(HGLOBAL block);
// The names of a drop list, read with DragQueryFileW as a paste target reads them.
std::vector<std::wstring> DropListPaths(HGLOBAL block);
// A medium holding the global block, released through releaser when there is one.
STGMEDIUM GlobalMedium(HGLOBAL block, IUnknown* releaser = nullptr);
// The request a paste target makes for a file drop list.
FORMATETC DropListFormat(DWORD tymed = TYMED_HGLOBAL);
// Every field of the two formats matches, reported at the caller's line.
void ExpectSameFormat(const FORMATETC& expected, const FORMATETC& actual, int line);
// A target device of the given size with recognisable bytes, allocated with CoTaskMemAlloc.
DVTARGETDEVICE* NewTargetDevice(DWORD size);
bool SameTargetDevice(const DVTARGETDEVICE* left, const DVTARGETDEVICE* right);
using e2e::Utf8;
} // namespace test_support
