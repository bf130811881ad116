#include "views/ShellActions.h"

// The shell launch follows with the shell actions; until then nothing is started.
bool LaunchPath(const std::wstring&, const std::wstring&, const std::wstring&)
{
    return false;
}
