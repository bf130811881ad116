#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Called before each single change a tree operation makes to the registry.
using RegistryWriteStep = std::function<void()>;

// Every subkey name of the key, whatever its length.
std::vector<std::wstring> EnumerateSubkeyNames(HKEY key);

// True when the key holds subkeys or values.
bool HasRegistryContent(HKEY key);

// Deletes the key at path below parent with everything under it, one key at a
// time, deepest first. ERROR_FILE_NOT_FOUND when there is no such key.
LONG DeleteRegistryTree(HKEY parent, const std::wstring& path,
                        const RegistryWriteStep& beforeWrite);

// Copies the values and the subkeys of source into destination, one key or
// value at a time; keeps going past a failure and returns the first one.
LONG CopyRegistryTree(HKEY source, HKEY destination, const RegistryWriteStep& beforeWrite);
