// Loaded into the thread of a program under measurement by a WH_GETMESSAGE hook
// (see CStartedProgram). Once the benchmark arms it through a named event, it
// sets a timer in that thread. A thread is handed WM_TIMER only when no window
// of it is left to paint, so the timer's call marks the end of the first
// complete paint, which the probe tells with a second event. Both events are
// named after the program's process id.

#include <windows.h>

#include <string>

#include "bench/probe/PaintProbe.h"

namespace
{
bool g_timerSet = false;

HANDLE OpenProbeEvent(const wchar_t* prefix)
{
    const std::wstring name = prefix + std::to_wstring(GetCurrentProcessId());
    return OpenEventW(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, name.c_str());
}

void CALLBACK OnNothingLeftToPaint(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (const HANDLE painted = OpenProbeEvent(bench::PaintedEventPrefix))
    {
        SetEvent(painted);
        CloseHandle(painted);
    }
}

bool IsArmed()
{
    const HANDLE armed = OpenProbeEvent(bench::ArmedEventPrefix);
    if (armed == nullptr)
        return false;
    const bool set = WaitForSingleObject(armed, 0) == WAIT_OBJECT_0;
    CloseHandle(armed);
    return set;
}
} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    PaintProbeHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && !g_timerSet && IsArmed())
        g_timerSet = SetTimer(nullptr, 0, 0, OnNothingLeftToPaint) != 0;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
