#include "toolkit/DpiScale.h"

#include "toolkit/Scoped.h"
#include "toolkit/Utilities.h"

namespace
{
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

// Looked up at run time: systems before Windows 10 1607 do not export it.
const GetDpiForWindowFunction GetDpiForWindowPointer =
    GetProcedure<GetDpiForWindowFunction>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
const GetSystemMetricsForDpiFunction GetSystemMetricsForDpiPointer =
    GetProcedure<GetSystemMetricsForDpiFunction>(GetModuleHandleW(L"user32.dll"),
                                                 "GetSystemMetricsForDpi");

CDpiScale& CurrentScale()
{
    static CDpiScale scale;
    return scale;
}
} // namespace

const CDpiScale& CDpiScale::Current()
{
    return CurrentScale();
}

void CDpiScale::MakeCurrent(CDpiScale scale)
{
    CurrentScale() = scale;
}

int CDpiScale::SystemMetric(int index) const
{
    if (GetSystemMetricsForDpiPointer != nullptr)
        if (const int value = GetSystemMetricsForDpiPointer(index, m_dpi))
            return value;
    // Without the call the system answers for its own DPI only, which stays for the run.
    static const UINT systemDpi = ForSystem().m_dpi;
    const int value = GetSystemMetrics(index);
    return m_dpi == systemDpi ? value : MulDiv(value, m_dpi, systemDpi);
}

CDpiScale CDpiScale::ForWindow(HWND window)
{
    if (window != nullptr && GetDpiForWindowPointer != nullptr)
        if (const UINT dpi = GetDpiForWindowPointer(window))
            return CDpiScale(dpi);
    return ForSystem();
}

CDpiScale CDpiScale::ForSystem()
{
    CScopedGetDC screen(nullptr);
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return CDpiScale(dpi > 0 ? static_cast<UINT>(dpi) : DesignDpi);
}
