// Loaded into the thread of a program under measurement by a WH_GETMESSAGE hook
// (see CStartedProgram). Once it finds the benchmark's request, it keeps a
// timer in that thread. A thread is handed WM_TIMER only when no window of it
// is left to paint, so the first tick that finds every awaited window shown
// marks the end of the first complete paint, which the probe tells with an
// event. Counting the windows here, in the program's own process, costs a
// fraction of what polling them from the benchmark's process costs.

#include "bench/probe/PaintProbe.h"

#include <string>

namespace
{
bench::PaintProbeRequest g_request = {};
bool g_watching = false;

std::wstring NameForThisProcess(const wchar_t* prefix)
{
    return prefix + std::to_wstring(GetCurrentProcessId());
}

bool ReadRequest()
{
    const HANDLE mapping = OpenFileMappingW(
        FILE_MAP_READ, FALSE, NameForThisProcess(bench::RequestMappingPrefix).c_str());
    if (mapping == nullptr)
        return false;
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(g_request));
    if (view != nullptr)
    {
        g_request = *static_cast<const bench::PaintProbeRequest*>(view);
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return view != nullptr;
}

bool HasClass(HWND window, const wchar_t* className)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, ARRAYSIZE(name));
    return lstrcmpiW(name, className) == 0;
}

BOOL CALLBACK FindMain(HWND window, LPARAM lParam)
{
    if (!IsWindowVisible(window) || !HasClass(window, g_request.mainClass))
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = window;
    return FALSE;
}

BOOL CALLBACK CountRow(HWND window, LPARAM lParam)
{
    if (IsWindowVisible(window) && HasClass(window, g_request.rowClass))
        ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

bool AllShown()
{
    HWND main = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMain, reinterpret_cast<LPARAM>(&main));
    if (main == nullptr)
        return false;
    int rows = 0;
    if (g_request.rows > 0)
        EnumChildWindows(main, CountRow, reinterpret_cast<LPARAM>(&rows));
    return rows >= g_request.rows;
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR id, DWORD)
{
    if (!AllShown())
        return;
    KillTimer(nullptr, id);
    if (const HANDLE painted = OpenEventW(EVENT_MODIFY_STATE, FALSE,
                                          NameForThisProcess(bench::PaintedEventPrefix).c_str()))
    {
        SetEvent(painted);
        CloseHandle(painted);
    }
}
} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    PaintProbeHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && !g_watching && ReadRequest())
        g_watching = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, OnTick) != 0;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
