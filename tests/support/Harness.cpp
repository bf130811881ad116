#include "tests/support/Harness.h"

#include "tests/support/ChildProcess.h"
#include "tests/support/Registry.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>

namespace e2e
{
const wchar_t MainWindowClass[] = L"ApplicationManagerWindowClass";
const wchar_t ProgramRoot[] = L"Software\\Quillbrook\\Pathmoor";

std::wstring ExecutableDirectory()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path);
    return directory.substr(0, directory.find_last_of(L'\\') + 1);
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;)
    {
        if (condition())
            return true;
        if (GetTickCount64() >= end)
            return false;
        Sleep(20);
    }
}

CProgram::~CProgram()
{
    Kill();
}

bool CProgram::Start(const std::wstring& exeName, const std::wstring& arguments)
{
    Kill();
    const std::wstring path = ExecutableDirectory() + exeName;
    std::wstring commandLine = L"\"" + path + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    const std::wstring directory = ExecutableDirectory();
    return test_support::StartChildProcess(path.c_str(), commandLine, false, 0, startup, m_info,
                                           directory.c_str()) == ERROR_SUCCESS;
}

bool CProgram::WaitForExit(DWORD timeoutMs)
{
    return m_info.hProcess != nullptr &&
           WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

bool CProgram::IsRunning() const
{
    return m_info.hProcess != nullptr && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD CProgram::ExitCode() const
{
    DWORD code = 0xdeadbeef;
    if (m_info.hProcess != nullptr)
        GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

HWND CProgram::WaitForMainWindow(DWORD timeoutMs) const
{
    HWND found = nullptr;
    WaitFor(
        [&]
        {
            found = FindWindowOfProcess(m_info.dwProcessId, MainWindowClass);
            return found != nullptr && IsWindowVisible(found);
        },
        timeoutMs);
    if (found == nullptr || !IsWindowVisible(found))
        return nullptr;
    // Input sent before the new window is active and its thread has gone idle can
    // land on whatever was there before, so wait for both.
    WaitForInputIdle(m_info.hProcess, timeoutMs);
    WaitFor([&] { return GetForegroundWindow() == found; }, timeoutMs);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(found, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result);
    return found;
}

bool CProgram::Close(DWORD timeoutMs)
{
    if (HWND window = FindWindowOfProcess(m_info.dwProcessId, MainWindowClass))
        PostMessageW(window, WM_CLOSE, 0, 0);
    return WaitForExit(timeoutMs);
}

void CProgram::Kill()
{
    if (m_info.hProcess == nullptr)
        return;
    if (IsRunning())
    {
        TerminateProcess(m_info.hProcess, 255);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
    m_info = {};
}

namespace
{
struct WindowSearch
{
    const wchar_t* className;
    DWORD pid; // 0: any process
    HWND found;
    int count;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    if (lstrcmpW(name, search->className) != 0)
        return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (search->pid != 0 && pid != search->pid)
        return TRUE;
    ++search->count;
    if (search->found == nullptr)
        search->found = window;
    return TRUE;
}
} // namespace

int CountWindowsOfClass(const wchar_t* className)
{
    WindowSearch search = {className, 0, nullptr, 0};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.count;
}

HWND FindWindowOfProcess(DWORD pid, const wchar_t* className)
{
    WindowSearch search = {className, pid, nullptr, 0};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void DeleteProgramRoot()
{
    SHDeleteKeyW(HKEY_CURRENT_USER, ProgramRoot);
}

void ResetProgramRoot()
{
    DeleteProgramRoot();
    test_support::WriteDword(ProgramRoot, L"FirstLaunch", 0);
}

bool TrayIconExists(HWND window, UINT id)
{
    NOTIFYICONDATAW data = {};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = id;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

RECT WindowRect(HWND window)
{
    RECT rect = {-1, -1, -1, -1};
    GetWindowRect(window, &rect);
    return rect;
}

std::wstring SaveScreenshot(const std::wstring& name)
{
    wchar_t configured[MAX_PATH] = {};
    std::wstring directory =
        GetEnvironmentVariableW(L"PATHMOOR_SCREENSHOTS", configured, MAX_PATH) > 0
            ? std::wstring(configured) + L"\\"
            : ExecutableDirectory() + L"screenshots\\";
    CreateDirectoryW(directory.c_str(), nullptr);
    const std::wstring path = directory + name + L".bmp";

    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);

    const DWORD stride = ((width * 3) + 3) & ~3;
    const DWORD imageSize = stride * height;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4d42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageSize;
    bool written = false;
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE)
    {
        DWORD done = 0;
        written = WriteFile(handle, &file, sizeof(file), &done, nullptr) &&
                  WriteFile(handle, &info.bmiHeader, sizeof(BITMAPINFOHEADER), &done, nullptr) &&
                  WriteFile(handle, bits, imageSize, &done, nullptr);
        CloseHandle(handle);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return written ? path : std::wstring();
}
} // namespace e2e
