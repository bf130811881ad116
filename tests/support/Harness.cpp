#include "tests/support/Harness.h"

#include "tests/support/ChildProcess.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

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
    return StartChildProcess(path.c_str(), commandLine, false, 0, startup, m_info,
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
    WriteDword(ProgramRoot, L"FirstLaunch", 0);
}

namespace
{
bool QueryValue(const std::wstring& path, const wchar_t* name, void* data, DWORD size,
                DWORD expectedType)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD actual = size;
    const LONG result =
        RegQueryValueExW(key, name, nullptr, &type, static_cast<BYTE*>(data), &actual);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == expectedType && actual == size;
}

bool SetValue(const std::wstring& path, const wchar_t* name, DWORD type, const void* data,
              DWORD size)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}
} // namespace

bool ReadDword(const std::wstring& path, const wchar_t* name, DWORD& value)
{
    return QueryValue(path, name, &value, sizeof(value), REG_DWORD);
}

bool ReadBinary(const std::wstring& path, const wchar_t* name, void* data, DWORD size)
{
    return QueryValue(path, name, data, size, REG_BINARY);
}

bool WriteDword(const std::wstring& path, const wchar_t* name, DWORD value)
{
    return SetValue(path, name, REG_DWORD, &value, sizeof(value));
}

bool WriteBinary(const std::wstring& path, const wchar_t* name, const void* data, DWORD size)
{
    return SetValue(path, name, REG_BINARY, data, size);
}

bool ValueExists(const std::wstring& path, const wchar_t* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    const LONG result = RegQueryValueExW(key, name, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

std::wstring DumpValues(const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return L"<no key>";
    std::wstring dump;
    for (DWORD index = 0;; ++index)
    {
        wchar_t name[256] = {};
        DWORD nameLength = 256;
        BYTE data[2048] = {};
        DWORD dataSize = sizeof(data);
        DWORD type = 0;
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS)
            break;
        dump += name;
        dump += L"=" + std::to_wstring(type) + L":";
        for (DWORD i = 0; i < dataSize; ++i)
        {
            wchar_t hex[4] = {};
            swprintf(hex, 4, L"%02x", data[i]);
            dump += hex;
        }
        dump += L"\n";
    }
    RegCloseKey(key);
    return dump;
}

namespace
{
void SendMouse(DWORD flags, int x = 0, int y = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE)
    {
        // Absolute moves are normalised to 0..65535 over the primary screen.
        const int width = GetSystemMetrics(SM_CXSCREEN);
        const int height = GetSystemMetrics(SM_CYSCREEN);
        input.mi.dx = MulDiv(x, 65536, width) + (x >= 0 ? 1 : 0);
        input.mi.dy = MulDiv(y, 65536, height) + (y >= 0 ? 1 : 0);
    }
    SendInput(1, &input, sizeof(INPUT));
}

void SendKey(WORD vk, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof(INPUT));
}
} // namespace

// Where the last move put the pointer. Wine re-reads the X pointer when the
// cursor has not moved for a while, so every button event carries this place
// again rather than trusting the current cursor position.
POINT g_pointer = {0, 0};

void MoveMouse(int x, int y)
{
    g_pointer = {x, y};
    SetCursorPos(x, y);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
    WaitFor(
        [&]
        {
            POINT cursor = {};
            GetCursorPos(&cursor);
            return cursor.x == x && cursor.y == y;
        },
        2000);
}

void MouseButton(bool left, bool down)
{
    const DWORD flags = left ? (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP)
                             : (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP);
    SendMouse(flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, g_pointer.x, g_pointer.y);
}

void Settle(HWND window)
{
    DWORD_PTR result = 0;
    if (window != nullptr)
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, DefaultTimeoutMs, &result);
}

void Click(int x, int y, bool left)
{
    // Two clicks within the double-click time make a double click, also across
    // test processes (the taskbar's icons stay put), so the first click of a
    // process and a repeat of the last one wait that time out.
    static DWORD lastClick = 0;
    static POINT lastPoint = {-1000, -1000};
    const DWORD doubleClickTime = GetDoubleClickTime();
    const bool samePlace = std::abs(lastPoint.x - x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
                           std::abs(lastPoint.y - y) <= GetSystemMetrics(SM_CYDOUBLECLK);
    if (lastClick == 0)
        Sleep(doubleClickTime + 50);
    else if (samePlace && GetTickCount() - lastClick <= doubleClickTime)
        Sleep(doubleClickTime + 50 - (GetTickCount() - lastClick));
    MoveMouse(x, y);
    // A click that arrives while the window under it is still busy with earlier
    // input (a minimise, a layout) can be dropped by the window's own tracking loop.
    Settle(WindowFromPoint(POINT{x, y}));
    MouseButton(left, true);
    MouseButton(left, false);
    lastClick = GetTickCount();
    lastPoint = {x, y};
    POINT cursor = {};
    GetCursorPos(&cursor);
    if (cursor.x != x || cursor.y != y)
        fprintf(stderr, "the cursor left the click at %d,%d for %ld,%ld\n", x, y, cursor.x,
                cursor.y);
}

void Drag(POINT from, POINT to, int steps)
{
    MoveMouse(from.x, from.y);
    MouseButton(true, true);
    for (int i = 1; i <= steps; ++i)
        MoveMouse(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
    MouseButton(true, false);
}

::testing::AssertionResult DragFrame(HWND window, POINT from, POINT to, int steps)
{
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    auto inMoveSize = [thread]
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE) != 0;
    };
    MoveMouse(from.x, from.y);
    MouseButton(true, true);
    if (!WaitFor(inMoveSize))
    {
        MouseButton(true, false);
        return ::testing::AssertionFailure()
               << "no move or size loop began at " << from.x << "," << from.y;
    }
    for (int i = 1; i <= steps; ++i)
        MoveMouse(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
    MouseButton(true, false);
    return ::testing::AssertionSuccess();
}

void Wheel(int delta)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = static_cast<DWORD>(delta);
    SendInput(1, &input, sizeof(INPUT));
}

void KeyDown(WORD vk)
{
    SendKey(vk, 0);
}

void KeyUp(WORD vk)
{
    SendKey(vk, KEYEVENTF_KEYUP);
}

void PressKey(WORD vk, bool extended)
{
    const DWORD flag = extended ? KEYEVENTF_EXTENDEDKEY : 0;
    SendKey(vk, flag);
    SendKey(vk, flag | KEYEVENTF_KEYUP);
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
