#include "shell/FileProperties.h"

#include "toolkit/Scoped.h"

#include <shlobj.h>
#include <shlwapi.h>

namespace
{
// The last resort: the desktop folder parses what the quicker calls could not.
PIDLIST_ABSOLUTE ParsePath(const std::wstring& path)
{
    CComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(&desktop)))
        return nullptr;
    std::wstring name = path;
    ULONG attributes = PathIsDirectoryW(path.c_str()) ? SFGAO_FOLDER : 0;
    PIDLIST_RELATIVE pidl = nullptr;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, &name[0], nullptr, &pidl, &attributes)))
        return nullptr;
    // Relative to the desktop is absolute.
    return reinterpret_cast<PIDLIST_ABSOLUTE>(pidl);
}

// The item identifier lists of all paths, or none at all.
bool PidlsFromPaths(const std::vector<std::wstring>& paths, std::vector<PIDLIST_ABSOLUTE>* pidls)
{
    for (const std::wstring& path : paths)
    {
        PIDLIST_ABSOLUTE pidl = nullptr;
        if (!PidlFromPath(path, &pidl))
            return false;
        pidls->push_back(pidl);
    }
    return true;
}

void FreePidls(const std::vector<PIDLIST_ABSOLUTE>& pidls)
{
    for (PIDLIST_ABSOLUTE pidl : pidls)
        ILFree(pidl);
}
} // namespace

bool PidlFromPath(const std::wstring& path, PIDLIST_ABSOLUTE* pidl)
{
    *pidl = nullptr;
    // The shell reads an empty path as one of its own roots, not as a file.
    if (path.empty())
        return false;
    *pidl = ILCreateFromPathW(path.c_str());
    if (!*pidl)
        *pidl = SHSimpleIDListFromPath(path.c_str());
    if (!*pidl)
        *pidl = ParsePath(path);
    return *pidl != nullptr;
}

bool ShowFileProperties(const std::vector<std::wstring>& paths)
{
    CComPtr<IShellFolder> desktop;
    if (paths.empty() || FAILED(SHGetDesktopFolder(&desktop)))
        return false;
    std::vector<PIDLIST_ABSOLUTE> pidls;
    CComPtr<IDataObject> dataObject;
    if (PidlsFromPaths(paths, &pidls))
    {
        desktop->GetUIObjectOf(nullptr, static_cast<UINT>(pidls.size()),
                               const_cast<PCUITEMID_CHILD_ARRAY>(pidls.data()), IID_IDataObject,
                               nullptr, reinterpret_cast<void**>(&dataObject));
    }
    FreePidls(pidls);
    return dataObject && SUCCEEDED(SHMultiFileProperties(dataObject.Get(), 0));
}
