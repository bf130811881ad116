#pragma once

#include <string>

namespace test_support
{
// A new empty folder under the temporary folder, removed with everything in it at the end.
class CScratchFolder
{
public:
    CScratchFolder();
    ~CScratchFolder();
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    // Without a trailing backslash.
    const std::wstring& Path() const { return m_path; }
    // The full path of relative inside the folder.
    std::wstring operator/(const std::wstring& relative) const;
    // Creates an empty file, with the folders above it; returns its full path.
    std::wstring MakeFile(const std::wstring& relative) const;
    // Creates a folder, with the folders above it; returns its full path.
    std::wstring MakeFolder(const std::wstring& relative) const;

private:
    std::wstring m_path;
};
} // namespace test_support
