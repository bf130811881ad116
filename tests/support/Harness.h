#pragma once

// Drives the built pathmoor.exe as a user would: starts it as a child process
// in Wine's virtual desktop, sends real input with SendInput, and reads back
// windows and the registry.

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

namespace e2e
{
constexpr DWORD DefaultTimeoutMs = 15000;

extern const wchar_t MainWindowClass[];
extern const wchar_t ProgramRoot[]; // HKCU path of the program's settings

std::wstring ExecutableDirectory();

// Polls a condition until it holds or the time is up; the test process owns no
// windows, so there is nothing to wait on but the condition itself.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = DefaultTimeoutMs);

// pathmoor.exe (or another program next to the tests) as a child process.
class CProgram
{
public:
    CProgram() = default;
    ~CProgram();
    CProgram(const CProgram&) = delete;
    CProgram& operator=(const CProgram&) = delete;

    bool Start(const std::wstring& exeName = L"pathmoor.exe", const std::wstring& arguments = L"");
    bool WaitForExit(DWORD timeoutMs = DefaultTimeoutMs);
    bool IsRunning() const;
    DWORD ExitCode() const;
    DWORD Pid() const { return m_info.dwProcessId; }
    // The visible main window of this process, once it exists.
    HWND WaitForMainWindow(DWORD timeoutMs = DefaultTimeoutMs) const;
    // Asks the program to end as the user's Exit does, then waits for it.
    bool Close(DWORD timeoutMs = DefaultTimeoutMs);
    void Kill();

private:
    PROCESS_INFORMATION m_info = {};
};

// Every top-level window of the class, in any process.
int CountWindowsOfClass(const wchar_t* className);
HWND FindWindowOfProcess(DWORD pid, const wchar_t* className);

// The program's key under HKCU.
void DeleteProgramRoot();
// An empty program key that has seen a start already, so the program makes no first-start
// catalogue of its own (the marker value as the settings store writes it).
void ResetProgramRoot();

// Tray icon presence, asked from the shell: modifying an icon succeeds only while it exists.
bool TrayIconExists(HWND window, UINT id);

RECT WindowRect(HWND window);
// Saves the whole screen as screenshots\<name>.bmp next to the tests (or in
// %PATHMOOR_SCREENSHOTS%); returns the file's path, or empty on failure.
std::wstring SaveScreenshot(const std::wstring& name);
} // namespace e2e
