#pragma once

// Starting the helper programs and test children the tests drive.

#include <windows.h>

#include <string>

namespace test_support
{
// CreateProcessW with the given command line, tried again when the start is refused with
// ERROR_INTERNAL_ERROR: Wine now and then fails a start so, more often while it starts many
// processes at once, and the next try starts the program. Any other refusal ends at once.
// Returns ERROR_SUCCESS, or the last refusal's error with process left empty.
DWORD StartChildProcess(const wchar_t* application, std::wstring commandLine, bool inheritHandles,
                        DWORD flags, STARTUPINFOW& startup, PROCESS_INFORMATION& process,
                        const wchar_t* directory = nullptr);
} // namespace test_support
