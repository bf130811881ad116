#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

// Opens path through the shell with the arguments, in the start-in folder; a file without
// an associated program gets the shell's Open With choice. True when the shell accepted the
// request; a refusal only beeps.
bool LaunchPath(const std::wstring& path, const std::wstring& startIn,
                const std::wstring& arguments);

// The same through the shell's "runas" verb, which asks for administrator rights; a
// declined request does nothing more.
bool LaunchPathAsAdministrator(const std::wstring& path, const std::wstring& startIn,
                               const std::wstring& arguments);

// Opens the folder that holds path in the shell's file window with path selected; a folder
// entry's own folder is opened itself. A refusal beeps.
bool ShowInFolder(const std::wstring& path, bool isFolder);

// The sound of a refused launch, and of a key that has nothing to act on.
void BeepRefusal();

// The rundll32 command line of the shell's Open With dialog for path.
std::wstring MakeOpenWithParameters(const std::wstring& path);

// Replaces path, a shell link file, with the link's target; the optional outputs receive
// the link's hotkey word, arguments and working folder. When no shell link object can be
// had, path and the outputs stay as they were.
void ResolveShortcut(std::wstring& path, WORD* hotKey = nullptr, std::wstring* arguments = nullptr,
                     std::wstring* workingFolder = nullptr);

// One file of a shell drop, whole however long its path; empty when there is none.
std::wstring QueryDroppedFile(HDROP drop, UINT index);
