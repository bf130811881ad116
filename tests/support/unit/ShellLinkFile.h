#pragma once

#include <windows.h>

#include <string>

namespace test_support
{
// What a shell link file holds, as the shell's link object writes it.
struct CLinkValues
{
    std::wstring target;
    std::wstring arguments;
    std::wstring workingFolder;
    WORD hotKey;
};

// Saves a shell link with IShellLinkW, reporting failures at the caller's line.
void SaveShellLink(const std::wstring& linkPath, const CLinkValues& values, int line);
} // namespace test_support
