#pragma once

#include <windows.h>

#include <string>

// String resource of the program's module; texts beyond 199 characters are cut.
std::wstring LoadResString(UINT id);
// The string resource with %1 and %2 replaced by the texts, each once and as they are.
std::wstring FormatResString(UINT id, const std::wstring& first,
                             const std::wstring& second = std::wstring());
std::wstring IntToString(int value);
// Without leading and trailing blanks, tabs, carriage returns and line feeds.
std::wstring TrimWhitespace(const std::wstring& text);
std::wstring ToLower(const std::wstring& text);

// Up to and including the last backslash; empty without one.
std::wstring GetPathDirectory(const std::wstring& path);
// After the last backslash; empty without one.
std::wstring GetPathFileName(const std::wstring& path);
// After the last point of the final path component; empty without one.
std::wstring GetFileExtension(const std::wstring& path);
// A 32-bit top-down device-independent bitmap of the size, uncompressed: pixels as
// GetDIBits and CreateDIBSection give them, first row first.
BITMAPINFO TopDownBitmapInfo(int width, int height);
// Before the last point of the final path component; empty without one.
std::wstring RemoveFileExtension(const std::wstring& path);
// The last component of the path, whatever closing backslashes follow it, so a folder
// given as "C:\Data\" is Data; a drive root ("C:\") gives its drive ("C:"). A slash
// separates as a backslash does. Empty for a path of separators only.
std::wstring LastPathComponent(const std::wstring& path);
// The name without anything from its last point on, as entries are named after files. A
// name that is only an extension (".exe") gives the empty string, or with
// keepBareExtension the whole name, under which an entry can still be stored.
std::wstring FileNameStem(const std::wstring& name, bool keepBareExtension);
// An existing file; a directory does not count.
// The module's file path, however long (null: the program); empty when it cannot be had.
std::wstring GetModulePath(HMODULE module);

bool FileExists(const std::wstring& path);
// The file or folder a typed path names, as a full path: one without a folder, or relative
// to one, is looked for as the system looks for a program (SearchPathW), so that it names
// the same file whatever the current folder is later. Empty when it names nothing; a path
// with wildcards never names anything.
std::wstring ResolveTypedPath(const std::wstring& path);

// A function of a loaded module by name, as the type it is called through; null when the
// module or the function is missing.
template <typename Function> Function GetProcedure(HMODULE module, const char* name)
{
    const FARPROC address = module ? GetProcAddress(module, name) : nullptr;
    // Through void (*)(): a cast from FARPROC straight to another function type is refused.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

void ScreenRectToClient(HWND hWnd, RECT* rect);
// The point of a mouse message or of WM_CONTEXTMENU. Both coordinates are signed: left of
// or above the primary monitor, and outside a window that holds the capture, they are
// negative.
POINT PointFromLParam(LPARAM lParam);
// The point of a client-area mouse message of the window, in screen coordinates.
POINT ScreenPointFromLParam(HWND hWnd, LPARAM lParam);
