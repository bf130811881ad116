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

// The file name without folder and without its last extension; a file named only by its
// extension (".exe") keeps its whole name, which an entry can be stored under.
std::wstring BareFileName(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t point = name.rfind(L'.');
    if (point != std::wstring::npos && point != 0)
        name.erase(point);
    return name;
}

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
    const std::wstring name = BareFileName(dropped);
    const EntryFields fields{name, path, arguments, startIn, hotKey};
    catalogue->AddDroppedItem(GetHwnd(), MakeEntry(fields), GetKind());
}
