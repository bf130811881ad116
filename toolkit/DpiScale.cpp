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

int CDpiScale::SmallIconSize() const
{
    if (GetSystemMetricsForDpiPointer != nullptr)
        if (const int size = GetSystemMetricsForDpiPointer(SM_CXSMICON, m_dpi))
            return size;
    // Without the call the system answers for its own DPI only.
    if (m_dpi == ForSystem().m_dpi)
        return GetSystemMetrics(SM_CXSMICON);
    return Scale(16);
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
