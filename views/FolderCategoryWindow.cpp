#include "views/FolderCategoryWindow.h"

#include <shellapi.h>

#include <memory>

#include "catalogue/Catalogue.h"
#include "catalogue/Category.h"
#include "catalogue/EntryKind.h"
#include "resources/resource.h"
#include "toolkit/Utilities.h"
#include "views/FolderItemWindow.h"
#include "shell/ShellActions.h"

namespace
{
// A path of MAX_PATH characters or more is read through the extended-length form, which
// the plain file functions need for it.
std::wstring ExtendedLengthPath(const std::wstring& path)
{
    if (path.size() < MAX_PATH || path.compare(0, 4, L"\\\\?\\") == 0)
        return path;
    if (path.compare(0, 2, L"\\\\") == 0)
        return L"\\\\?\\UNC\\" + path.substr(2);
    return L"\\\\?\\" + path;
}

bool IsExistingFolder(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(ExtendedLengthPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// "C:\Data\" names the folder Data, as "C:\Data" does; a drive root keeps its backslash.
std::wstring WithoutTrailingBackslashes(const std::wstring& path)
{
    const size_t last = path.find_last_not_of(L'\\');
    return last == std::wstring::npos ? std::wstring() : path.substr(0, last + 1);
}
} // namespace

CFolderCategoryWindow::CFolderCategoryWindow(CCategory* category, HBITMAP background)
    : CCategoryItemWindow(category, background, &KindOf(ListKind::Folders))
{
}

void CFolderCategoryWindow::AddDroppedFile(const std::wstring& path)
{
    const std::wstring name = DroppedFolderName(path);
    if (name.empty() || !IsExistingFolder(path))
        return;
    CCatalogue* catalogue = CCatalogue::Current();
    if (!catalogue)
        return;
    const std::wstring none;
    const EntryFields fields{name, path, none, none, 0};
    catalogue->AddItemIfUnique(GetHwnd(), MakeEntry(fields), GetKind());
}

std::wstring CFolderCategoryWindow::DroppedFolderName(const std::wstring& path)
{
    const std::wstring trimmed = WithoutTrailingBackslashes(path);
    const std::wstring name = GetPathFileName(trimmed);
    if (!name.empty() || trimmed.find(L'\\') != std::wstring::npos)
        return name;
    // A drive root: what is left is the drive, "C:".
    return trimmed.size() == 2 && trimmed[1] == L':' ? trimmed : std::wstring();
}
