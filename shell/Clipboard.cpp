#include "shell/Clipboard.h"

#include "shell/DataObject.h"
#include "toolkit/Scoped.h"

#include <ole2.h>
#include <shlobj.h>

#include <cstring>

namespace
{
bool IsListablePath(const std::wstring& path)
{
    return !path.empty() && path.find(L'\0') == std::wstring::npos;
}
} // namespace

CLIPFORMAT PerformedDropEffectFormat()
{
    static const CLIPFORMAT format =
        static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"Performed DropEffect"));
    return format;
}

HGLOBAL BuildDropFiles(const std::vector<std::wstring>& paths)
{
    if (paths.empty())
        return nullptr;
    SIZE_T size = sizeof(DROPFILES) + sizeof(wchar_t);
    for (const std::wstring& path : paths)
    {
        if (!IsListablePath(path))
            return nullptr;
        size += (path.size() + 1) * sizeof(wchar_t);
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, size);
    if (!block)
        return nullptr;
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    if (!header)
    {
        GlobalFree(block);
        return nullptr;
    }
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    // The block is zeroed, so every name and the list already end in zero characters.
    auto* name = reinterpret_cast<wchar_t*>(header + 1);
    for (const std::wstring& path : paths)
    {
        std::memcpy(name, path.c_str(), path.size() * sizeof(wchar_t));
        name += path.size() + 1;
    }
    GlobalUnlock(block);
    return block;
}

bool CopyFilesToClipboard(const std::vector<std::wstring>& paths)
{
    HGLOBAL block = BuildDropFiles(paths);
    if (!block)
        return false;
    FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = block;
    CComPtr<IDataObject> dataObject;
    if (FAILED(CreateDataObject(format, medium, &dataObject)))
    {
        GlobalFree(block);
        return false;
    }
    // The clipboard holds its own reference; ours goes with dataObject.
    return SUCCEEDED(OleSetClipboard(dataObject.Get()));
}
