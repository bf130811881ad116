#include "toolkit/Utilities.h"

#include <shlwapi.h>
#include <windowsx.h>

#include "toolkit/Application.h"

namespace
{
constexpr int kResStringBufferLength = 200;
constexpr wchar_t kWhitespace[] = L" \t\r\n";

// Position of the last point that belongs to the file name, not to a folder.
size_t FindExtensionPoint(const std::wstring& path)
{
    const size_t point = path.rfind(L'.');
    const size_t backslash = path.rfind(L'\\');
    if (point == std::wstring::npos || (backslash != std::wstring::npos && backslash > point))
        return std::wstring::npos;
    return point;
}
} // namespace

std::wstring LoadResString(UINT id)
{
    wchar_t buffer[kResStringBufferLength] = {};
    const int length = LoadStringW(CApplication::Instance().GetInstanceHandle(), id, buffer,
                                   kResStringBufferLength);
    return std::wstring(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

std::wstring FormatResString(UINT id, const std::wstring& first, const std::wstring& second)
{
    const std::wstring pattern = LoadResString(id);
    std::wstring text;
    for (size_t i = 0; i < pattern.size(); ++i)
    {
        const wchar_t next = i + 1 < pattern.size() ? pattern[i + 1] : L'\0';
        if (pattern[i] == L'%' && (next == L'1' || next == L'2'))
        {
            text += next == L'1' ? first : second;
            ++i;
        }
        else
            text += pattern[i];
    }
    return text;
}

std::wstring IntToString(int value)
{
    return std::to_wstring(value);
}

std::wstring TrimWhitespace(const std::wstring& text)
{
    const size_t first = text.find_first_not_of(kWhitespace);
    if (first == std::wstring::npos)
        return std::wstring();
    const size_t last = text.find_last_not_of(kWhitespace);
    return text.substr(first, last - first + 1);
}

std::wstring ToLower(const std::wstring& text)
{
    std::wstring lower = text;
    if (!lower.empty())
        CharLowerBuffW(&lower[0], static_cast<DWORD>(lower.size()));
    return lower;
}

std::wstring GetPathDirectory(const std::wstring& path)
{
    const size_t backslash = path.rfind(L'\\');
    return backslash == std::wstring::npos ? std::wstring() : path.substr(0, backslash + 1);
}

std::wstring GetPathFileName(const std::wstring& path)
{
    const size_t backslash = path.rfind(L'\\');
    return backslash == std::wstring::npos ? std::wstring() : path.substr(backslash + 1);
}

std::wstring GetFileExtension(const std::wstring& path)
{
    const size_t point = FindExtensionPoint(path);
    return point == std::wstring::npos ? std::wstring() : path.substr(point + 1);
}

std::wstring RemoveFileExtension(const std::wstring& path)
{
    const size_t point = FindExtensionPoint(path);
    return point == std::wstring::npos ? std::wstring() : path.substr(0, point);
}

BITMAPINFO TopDownBitmapInfo(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

std::wstring LastPathComponent(const std::wstring& path)
{
    const size_t end = path.find_last_not_of(L"\\/");
    if (end == std::wstring::npos)
        return std::wstring();
    const size_t separator = path.find_last_of(L"\\/", end);
    return path.substr(separator == std::wstring::npos ? 0 : separator + 1,
                       separator == std::wstring::npos ? end + 1 : end - separator);
}

std::wstring FileNameStem(const std::wstring& name, bool keepBareExtension)
{
    const size_t point = name.rfind(L'.');
    if (point == std::wstring::npos || (point == 0 && keepBareExtension))
        return name;
    return name.substr(0, point);
}

std::wstring GetModulePath(HMODULE module)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;)
    {
        const DWORD length = GetModuleFileNameW(module, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::wstring();
        if (length < path.size())
        {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

bool FileExists(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace
{
// Both calls answer the length they need when the buffer is too small.
template <typename Call> std::wstring GrowingPathCall(const Call& call)
{
    std::wstring result(MAX_PATH, L'\0');
    for (;;)
    {
        const DWORD length = call(static_cast<DWORD>(result.size()), &result[0]);
        if (length == 0)
            return std::wstring();
        if (length < result.size())
        {
            result.resize(length);
            return result;
        }
        result.resize(length + 1);
    }
}
} // namespace

std::wstring ResolveTypedPath(const std::wstring& path)
{
    if (path.empty() || path.find_first_of(L"?*") != std::wstring::npos)
        return std::wstring();
    const bool fullyQualified = path.compare(0, 2, L"\\\\") == 0 ||
                                (path.size() > 2 && path[1] == L':' && path[2] == L'\\');
    std::wstring full = path;
    if (PathIsRelativeW(path.c_str()))
        full = GrowingPathCall(
            [&path](DWORD size, wchar_t* buffer)
            { return SearchPathW(nullptr, path.c_str(), nullptr, size, buffer, nullptr); });
    // "\tool.exe" and "C:tool.exe" depend on the current drive and its folder.
    else if (!fullyQualified)
        full = GrowingPathCall([&path](DWORD size, wchar_t* buffer)
                               { return GetFullPathNameW(path.c_str(), size, buffer, nullptr); });
    if (full.empty() || GetFileAttributesW(full.c_str()) == INVALID_FILE_ATTRIBUTES)
        return std::wstring();
    return full;
}

void ScreenRectToClient(HWND hWnd, RECT* rect)
{
    POINT topLeft = {rect->left, rect->top};
    POINT bottomRight = {rect->right, rect->bottom};
    ScreenToClient(hWnd, &topLeft);
    ScreenToClient(hWnd, &bottomRight);
    *rect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

POINT PointFromLParam(LPARAM lParam)
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

POINT ScreenPointFromLParam(HWND hWnd, LPARAM lParam)
{
    POINT point = PointFromLParam(lParam);
    ClientToScreen(hWnd, &point);
    return point;
}
