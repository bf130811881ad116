// Small control tool for the scripts: waits for a window, or closes it.
//   pmctl wait-window <class> <milliseconds>
//   pmctl close <class> <milliseconds>
// Exit code 0 on success, 1 on timeout, 2 on bad arguments.

#include <windows.h>

#include <cwchar>

namespace
{
bool WaitUntil(bool (*condition)(const wchar_t*), const wchar_t* className, DWORD timeoutMs)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!condition(className))
    {
        if (GetTickCount64() >= end)
            return false;
        Sleep(50);
    }
    return true;
}

bool IsShown(const wchar_t* className)
{
    HWND window = FindWindowW(className, nullptr);
    return window != nullptr && IsWindowVisible(window);
}

bool IsGone(const wchar_t* className)
{
    return FindWindowW(className, nullptr) == nullptr;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4)
        return 2;
    const DWORD timeoutMs = wcstoul(argv[3], nullptr, 10);
    if (wcscmp(argv[1], L"wait-window") == 0)
        return WaitUntil(IsShown, argv[2], timeoutMs) ? 0 : 1;
    if (wcscmp(argv[1], L"close") == 0)
    {
        if (HWND window = FindWindowW(argv[2], nullptr))
            PostMessageW(window, WM_CLOSE, 0, 0);
        return WaitUntil(IsGone, argv[2], timeoutMs) ? 0 : 1;
    }
    return 2;
}
