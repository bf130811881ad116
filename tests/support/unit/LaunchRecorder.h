#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/Scoped.h"

namespace test_support
{
// One run of the launch_recorder helper program: the record file it writes, the environment
// variable that names that file to it, and its process. The destructor ends a helper that is
// still running and removes the record.
class CLaunchRecorder
{
public:
    CLaunchRecorder();
    ~CLaunchRecorder();
    CLaunchRecorder(const CLaunchRecorder&) = delete;
    CLaunchRecorder& operator=(const CLaunchRecorder&) = delete;

    // launch_recorder.exe next to the test program.
    static std::wstring ProgramPath();

    // Starts the helper directly with the given arguments (its switches) and waits for its
    // record.
    bool Start(const std::wstring& arguments);
    // Waits until the helper has written its record, then opens its process.
    bool WaitForRecord(DWORD timeoutMs = 15000);
    // The helper's parentless top-level window of that class, or null.
    HWND FindWindowOfClass(const wchar_t* className) const;
    HWND FindMainWindow() const { return FindWindowOfClass(L"LaunchRecorderWindow"); }
    // The exit code once the helper has ended, STILL_ACTIVE when it has not in time.
    DWORD WaitForExit(DWORD timeoutMs = 15000) const;

    std::wstring m_commandLine;
    std::wstring m_folder;
    DWORD m_processId = 0;

private:
    bool ReadRecord();
    void EndProcess();

    std::wstring m_recordPath;
    CScopedHandle m_process;
};

// The arguments of a command line after the program name, split as CommandLineToArgvW does.
std::vector<std::wstring> CommandLineArguments(const std::wstring& commandLine);
} // namespace test_support
