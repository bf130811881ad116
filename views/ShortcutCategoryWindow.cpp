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

} // namespace

CShortcutCategoryWindow::CShortcutCategoryWindow(CCategory* category, HBITMAP background)
    : CCategoryItemWindow(category, background, &KindOf(ListKind::Shortcuts))
{
}

void CShortcutCategoryWindow::AddDroppedFile(const std::wstring& dropped)
{
    // A drive root is named by its drive: a backslash in a name would split its key.
    std::wstring name = LastPathComponent(dropped);
    std::wstring path = dropped;
    std::wstring arguments;
    std::wstring startIn;
    WORD hotKey = 0;
    if (IsShellLink(dropped))
    {
        // A link named only ".lnk" keeps that name rather than none.
        name = FileNameStem(name, true);
        ResolveShortcut(path, &hotKey, &arguments, &startIn);
    }
    CCatalogue* catalogue = CCatalogue::Current();
    // An entry without a name could not be stored under a key of its own.
    if (!catalogue || name.empty())
        return;
    const EntryFields fields{name, path, arguments, startIn, hotKey};
    catalogue->AddDroppedItem(GetHwnd(), MakeEntry(fields), GetKind());
}
