#include "views/ShortcutCategoryWindow.h"

#include <shellapi.h>

#include <memory>

#include "catalogue/Catalogue.h"
#include "catalogue/Category.h"
#include "catalogue/EntryKind.h"
#include "resources/resource.h"
#include "toolkit/Utilities.h"
#include "shell/ShellActions.h"
#include "views/ShortcutItemWindow.h"

namespace
{
bool IsShellLink(const std::wstring& path)
{
    return lstrcmpiW(GetFileExtension(path).c_str(), L"lnk") == 0;
}

// The last component of the path; a folder dropped with a closing backslash keeps its
// name, and a drive root ("C:\") is named by its drive, since a backslash in a name would
// split the entry's registry key.
std::wstring DroppedName(const std::wstring& path)
{
    const size_t end = path.find_last_not_of(L'\\');
    if (end == std::wstring::npos)
        return std::wstring();
    const std::wstring trimmed = path.substr(0, end + 1);
    const size_t slash = trimmed.rfind(L'\\');
    return slash == std::wstring::npos ? trimmed : trimmed.substr(slash + 1);
}

} // namespace

CShortcutCategoryWindow::CShortcutCategoryWindow(CCategory* category, HBITMAP background)
    : CCategoryItemWindow(category, background, &KindOf(ListKind::Shortcuts))
{
}

void CShortcutCategoryWindow::AddDroppedFile(const std::wstring& dropped)
{
    std::wstring name = DroppedName(dropped);
    std::wstring path = dropped;
    std::wstring arguments;
    std::wstring startIn;
    WORD hotKey = 0;
    if (IsShellLink(dropped))
    {
        // A link named only ".lnk" keeps that name rather than none.
        if (!RemoveFileExtension(name).empty())
            name = RemoveFileExtension(name);
        ResolveShortcut(path, &hotKey, &arguments, &startIn);
    }
    CCatalogue* catalogue = CCatalogue::Current();
    // An entry without a name could not be stored under a key of its own.
    if (!catalogue || name.empty())
        return;
    const EntryFields fields{name, path, arguments, startIn, hotKey};
    catalogue->AddDroppedItem(GetHwnd(), MakeEntry(fields), GetKind());
}
