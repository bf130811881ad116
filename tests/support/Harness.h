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

// Registry under HKCU.
void DeleteProgramRoot();
// An empty program key that has seen a start already, so the program makes no first-start
// catalogue of its own (the marker value as the settings store writes it).
void ResetProgramRoot();
bool ReadDword(const std::wstring& path, const wchar_t* name, DWORD& value);
bool ReadBinary(const std::wstring& path, const wchar_t* name, void* data, DWORD size);
bool WriteDword(const std::wstring& path, const wchar_t* name, DWORD value);
bool WriteBinary(const std::wstring& path, const wchar_t* name, const void* data, DWORD size);
bool ValueExists(const std::wstring& path, const wchar_t* name);
// All values under a key, "name=type:hexdata" per line, for before/after comparisons.
std::wstring DumpValues(const std::wstring& path);

// Real input, in screen coordinates.
void MoveMouse(int x, int y);
void MouseButton(bool left, bool down);
void Click(int x, int y, bool left = true);
// Returns once the thread that owns the window has handled everything sent before.
void Settle(HWND window);
void Drag(POINT from, POINT to, int steps = 10);
// Drags a window by its caption or frame. The steps follow only once the window's own move
// or size loop holds the button: steps queued before that loop starts can be lost to it.
::testing::AssertionResult DragFrame(HWND window, POINT from, POINT to, int steps = 10);
// Turns the wheel at the pointer by delta (WHEEL_DELTA per notch, negative towards the user).
void Wheel(int delta);
void PressKey(WORD vk, bool extended = false);
void KeyDown(WORD vk);
void KeyUp(WORD vk);

// Tray icon presence, asked from the shell: modifying an icon succeeds only while it exists.
bool TrayIconExists(HWND window, UINT id);

RECT WindowRect(HWND window);
// Saves the whole screen as screenshots\<name>.bmp next to the tests (or in
// %PATHMOOR_SCREENSHOTS%); returns the file's path, or empty on failure.
std::wstring SaveScreenshot(const std::wstring& name);
} // namespace e2e
