#include "tests/support/unit/ScratchFolder.h"

#include <windows.h>

namespace test_support
{
namespace
{
void CreateFolders(const std::wstring& path)
{
    for (size_t backslash = path.find(L'\\', 3); backslash != std::wstring::npos;
         backslash = path.find(L'\\', backslash + 1))
        CreateDirectoryW(path.substr(0, backslash).c_str(), nullptr);
    CreateDirectoryW(path.c_str(), nullptr);
}

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found = {};
    const HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE)
    {
        do
        {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + L"\\" + name);
            else
                DeleteFileW((path + L"\\" + name).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}
} // namespace

CScratchFolder::CScratchFolder()
{
    static int s_count = 0;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    m_path = std::wstring(temp) + L"pm-scratch-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(++s_count);
    RemoveTree(m_path);
    CreateFolders(m_path);
}

CScratchFolder::~CScratchFolder()
{
    RemoveTree(m_path);
}

std::wstring CScratchFolder::operator/(const std::wstring& relative) const
{
    return m_path + L"\\" + relative;
}

std::wstring CScratchFolder::MakeFile(const std::wstring& relative) const
{
    const std::wstring path = *this / relative;
    CreateFolders(path.substr(0, path.rfind(L'\\')));
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return path;
}

std::wstring CScratchFolder::MakeFolder(const std::wstring& relative) const
{
    const std::wstring path = *this / relative;
    CreateFolders(path);
    return path;
}
} // namespace test_support
