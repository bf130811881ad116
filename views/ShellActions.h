#pragma once

#include <string>

// Opens path through the shell with the arguments, in the start-in folder; true when the
// shell accepted the request.
bool LaunchPath(const std::wstring& path, const std::wstring& startIn,
                const std::wstring& arguments);
