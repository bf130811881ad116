#include "tests/support/ChildProcess.h"

namespace test_support
{
DWORD StartChildProcess(const wchar_t* application, std::wstring commandLine, bool inheritHandles,
                        DWORD flags, STARTUPINFOW& startup, PROCESS_INFORMATION& process,
                        const wchar_t* directory)
{
    constexpr int Tries = 3;
    DWORD error = ERROR_INTERNAL_ERROR;
    for (int attempt = 0; attempt < Tries && error == ERROR_INTERNAL_ERROR; ++attempt)
    {
        process = {};
        // CreateProcessW may write into the command line, so each try gets its own copy.
        std::wstring writable = commandLine;
        if (CreateProcessW(application, writable.data(), nullptr, nullptr, inheritHandles, flags,
                           nullptr, directory, &startup, &process))
            return ERROR_SUCCESS;
        error = GetLastError();
    }
    process = {};
    return error;
}
} // namespace test_support
