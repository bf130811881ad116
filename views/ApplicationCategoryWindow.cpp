#include "views/ApplicationCategoryWindow.h"

#include <shellapi.h>

#include <memory>

#include "catalogue/Catalogue.h"
#include "catalogue/Category.h"
#include "catalogue/EntryKind.h"
#include "resources/resource.h"
#include "toolkit/Application.h"
#include "toolkit/Utilities.h"
#include "views/ApplicationItemWindow.h"
#include "shell/ShellActions.h"

namespace
{
const wchar_t ProgramName[] = L"Pathmoor";

bool HasExtension(const std::wstring& path, const wchar_t* extension)
{
    return lstrcmpiW(GetFileExtension(path).c_str(), extension) == 0;
}

} // namespace

CApplicationCategoryWindow::CApplicationCategoryWindow(CCategory* category, HBITMAP background)
    : CCategoryItemWindow(category, background, &KindOf(ListKind::Applications))
{
}

void CApplicationCategoryWindow::AddDroppedFile(const std::wstring& dropped)
{
    std::wstring path = dropped;
    std::wstring arguments;
    std::wstring startIn;
    WORD hotKey = 0;
    if (HasExtension(path, L"lnk"))
        ResolveShortcut(path, &hotKey, &arguments, &startIn);
    if (!HasExtension(path, L"exe"))
    {
        MessageBoxW(GetHwnd(), LoadResString(IDS_ONLY_EXE_FILES).c_str(), ProgramName,
                    MB_ICONWARNING);
        return;
    }
    CCatalogue* catalogue = CCatalogue::Current();
    if (!catalogue)
        return;
    const std::wstring name = FileNameStem(LastPathComponent(dropped), true);
    const EntryFields fields{name, path, arguments, startIn, hotKey};
    catalogue->AddDroppedItem(GetHwnd(), MakeEntry(fields), GetKind());
}
