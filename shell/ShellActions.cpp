#include "shell/ShellActions.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cwchar>

#include "toolkit/Scoped.h"
#include "toolkit/Utilities.h"

namespace
{
constexpr wchar_t ProgramFilesX86[] = L"Program Files (x86)";
constexpr wchar_t ProgramFiles[] = L"Program Files";

bool ShellAccepted(HINSTANCE result)
{
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool NeedsOpenWith(HINSTANCE result)
{
    const INT_PTR code = reinterpret_cast<INT_PTR>(result);
    return code == SE_ERR_NOASSOC || code == SE_ERR_ASSOCINCOMPLETE;
}

bool OfferOpenWith(const std::wstring& path)
{
    return ShellAccepted(ShellExecuteW(GetDesktopWindow(), L"open", L"rundll32.exe",
                                       MakeOpenWithParameters(path).c_str(), nullptr,
                                       SW_SHOWNORMAL));
}

// Links made by 32-bit installers on 64-bit systems may name the 32-bit program folder for
// programs that live in the native one.
std::wstring RepairProgramFilesTarget(const std::wstring& target)
{
    if (target.empty() || FileExists(target))
        return target;
    const size_t found = target.find(ProgramFilesX86);
    if (found == std::wstring::npos)
        return target;
    std::wstring repaired = target;
    repaired.replace(found, wcslen(ProgramFilesX86), ProgramFiles);
    return FileExists(repaired) ? repaired : target;
}

// A shell link method that fills a character buffer of the given size.
template <typename TGetter> std::wstring ReadLinkText(TGetter getter, int size)
{
    std::wstring text(size, L'\0');
    getter(&text[0], size);
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

// Link arguments may be longer than a path; the shell's own limit for them.
constexpr int ArgumentsCapacity = INFOTIPSIZE;
} // namespace

bool LaunchPath(const std::wstring& path, const std::wstring& startIn,
                const std::wstring& arguments)
{
    if (path.empty())
        return false;
    const HINSTANCE result = ShellExecuteW(GetDesktopWindow(), nullptr, path.c_str(),
                                           arguments.c_str(), startIn.c_str(), SW_SHOWNORMAL);
    if (ShellAccepted(result) || (NeedsOpenWith(result) && OfferOpenWith(path)))
        return true;
    BeepRefusal();
    return false;
}

bool LaunchPathAsAdministrator(const std::wstring& path, const std::wstring& startIn,
                               const std::wstring& arguments)
{
    if (path.empty())
        return false;
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.hwnd = GetDesktopWindow();
    info.lpVerb = L"runas";
    info.lpFile = path.c_str();
    info.lpParameters = arguments.c_str();
    info.lpDirectory = startIn.empty() ? nullptr : startIn.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExW(&info))
        return true;
    // The user said no to the elevation prompt: that is an answer, not a failure.
    if (GetLastError() != ERROR_CANCELLED)
        BeepRefusal();
    return false;
}

bool ShowInFolder(const std::wstring& path, bool isFolder)
{
    if (path.empty())
        return false;
    const std::wstring parameters = (isFolder ? L"\"" : L"/select,\"") + path + L"\"";
    if (ShellAccepted(ShellExecuteW(GetDesktopWindow(), L"open", L"explorer.exe",
                                    parameters.c_str(), nullptr, SW_SHOWNORMAL)))
        return true;
    BeepRefusal();
    return false;
}

void BeepRefusal()
{
    MessageBeep(MB_ICONEXCLAMATION);
}

std::wstring MakeOpenWithParameters(const std::wstring& path)
{
    return L"shell32.dll,OpenAs_RunDLL " + path;
}

void ResolveShortcut(std::wstring& path, WORD* hotKey, std::wstring* arguments,
                     std::wstring* workingFolder)
{
    CComPtr<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistFile,
                                reinterpret_cast<void**>(&file))))
        return;
    file->Load(path.c_str(), STGM_READ);
    CComPtr<IShellLinkW> link;
    if (FAILED(file->QueryInterface(IID_IShellLinkW, reinterpret_cast<void**>(&link))))
        return;
    link->Resolve(nullptr, SLR_NO_UI | SLR_NOUPDATE | SLR_NOSEARCH | SLR_NOTRACK | SLR_NOLINKINFO);
    WIN32_FIND_DATAW findData = {};
    path = RepairProgramFilesTarget(ReadLinkText(
        [&](wchar_t* text, int size) { link->GetPath(text, size, &findData, 0); }, MAX_PATH));
    if (arguments)
        *arguments = ReadLinkText([&](wchar_t* text, int size) { link->GetArguments(text, size); },
                                  ArgumentsCapacity);
    if (hotKey)
        link->GetHotkey(hotKey);
    if (workingFolder)
        *workingFolder = ReadLinkText(
            [&](wchar_t* text, int size) { link->GetWorkingDirectory(text, size); }, MAX_PATH);
}

// The length is asked first, so a long path arrives whole instead of cut at MAX_PATH.
std::wstring QueryDroppedFile(HDROP drop, UINT index)
{
    const UINT length = DragQueryFileW(drop, index, nullptr, 0);
    std::wstring path(length, L'\0');
    const UINT copied = length ? DragQueryFileW(drop, index, &path[0], length + 1) : 0;
    path.resize(copied);
    return path;
}
