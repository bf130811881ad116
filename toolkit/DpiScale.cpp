#include "toolkit/DpiScale.h"

#include "toolkit/Scoped.h"

namespace
{
// Looked up at run time: older systems and some Wine versions export neither.
template <typename Function> Function FindUser32(const char* name)
{
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
               : nullptr;
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

const GetDpiForWindowFunction GetDpiForWindowPointer =
    FindUser32<GetDpiForWindowFunction>("GetDpiForWindow");
const GetSystemMetricsForDpiFunction GetSystemMetricsForDpiPointer =
    FindUser32<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
} // namespace

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

int CDpiScale::GetSystemMetric(int index) const
{
    if (GetSystemMetricsForDpiPointer != nullptr)
        return GetSystemMetricsForDpiPointer(index, m_dpi);
    // Without it the system metrics are those of the system DPI; scale them from there.
    const CDpiScale system = ForSystem();
    return MulDiv(GetSystemMetrics(index), m_dpi, system.GetDpi());
}
