// Small control tool for the scripts: waits for a window, or closes it.
//   pmctl wait-window <class> <milliseconds>
//   pmctl wait-painted <class> <milliseconds>   shown, and every window of it painted
//   pmctl close <class> <milliseconds>
// Exit code 0 on success, 1 on timeout, 2 on bad arguments.

#include <windows.h>

#include <cwchar>
#include <string>

#include "bench/probe/PaintProbeClient.h"

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

std::wstring OwnDirectory()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring file(path, length);
    return file.substr(0, file.find_last_of(L'\\') + 1);
}

// Shown is not painted: a screenshot right after the window appears can show rows that
// are still black. The paint probe, hooked into the window's thread, tells when no window
// of that thread is left to paint.
bool WaitPainted(const wchar_t* className, DWORD timeoutMs)
{
    const ULONGLONG start = GetTickCount64();
    if (!WaitUntil(IsShown, className, timeoutMs))
        return false;
    const HWND window = FindWindowW(className, nullptr);
    DWORD processId = 0;
    const DWORD threadId = GetWindowThreadProcessId(window, &processId);
    bench::CPaintProbeClient probe;
    const DWORD elapsed = static_cast<DWORD>(GetTickCount64() - start);
    return probe.Hook(OwnDirectory() + bench::PaintProbeLibrary, processId, threadId,
                      bench::CPaintProbeClient::MakeRequest(className, L"", 0)) &&
           probe.WaitUntilPainted(timeoutMs > elapsed ? timeoutMs - elapsed : 0);
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4)
        return 2;
    const DWORD timeoutMs = wcstoul(argv[3], nullptr, 10);
    if (wcscmp(argv[1], L"wait-window") == 0)
        return WaitUntil(IsShown, argv[2], timeoutMs) ? 0 : 1;
    if (wcscmp(argv[1], L"wait-painted") == 0)
        return WaitPainted(argv[2], timeoutMs) ? 0 : 1;
    if (wcscmp(argv[1], L"close") == 0)
    {
        if (HWND window = FindWindowW(argv[2], nullptr))
            PostMessageW(window, WM_CLOSE, 0, 0);
        return WaitUntil(IsGone, argv[2], timeoutMs) ? 0 : 1;
    }
    return 2;
}
