// What the entry point sets for the whole process. Each test runs in a process of its
// own (ctest), so the narrowed DLL search stays with this one.

#include "app/ProcessStart.h"
#include "toolkit/Utilities.h"

#include <gtest/gtest.h>

namespace
{
// The paint probe lies next to the tests as a planted DLL would lie next to the program
// in a download folder; the system folder has no DLL of that name.
const wchar_t PlantedName[] = L"paint_probe.dll";

TEST(ProcessStart, DllsLoadedByNameComeFromTheSystemFolderOnly)
{
    const std::wstring planted = GetPathDirectory(GetModulePath(nullptr)) + PlantedName;
    ASSERT_TRUE(FileExists(planted)) << "no " << testing::PrintToString(planted);

    RestrictDllSearchToSystemFolder();
    SetLastError(0xdeadbeef);
    const HMODULE byName = LoadLibraryW(PlantedName);
    const DWORD error = GetLastError();
    EXPECT_EQ(nullptr, byName) << "the program's folder was searched";
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), error);
    if (byName != nullptr)
        FreeLibrary(byName);

    // A full path still loads, as the system loads a hook's library.
    const HMODULE byPath = LoadLibraryW(planted.c_str());
    EXPECT_NE(nullptr, byPath) << "error " << GetLastError();
    if (byPath != nullptr)
        FreeLibrary(byPath);
}
} // namespace
