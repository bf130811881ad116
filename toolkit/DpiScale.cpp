#include "toolkit/DpiScale.h"

#include "toolkit/Scoped.h"
#include "toolkit/Utilities.h"

namespace
{
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up at run time: systems before Windows 10 1607 do not export it.
const GetDpiForWindowFunction GetDpiForWindowPointer =
    GetProcedure<GetDpiForWindowFunction>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
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
