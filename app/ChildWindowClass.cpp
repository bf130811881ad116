#include "app/ChildWindowClass.h"

#include "toolkit/Application.h"
#include "toolkit/Window.h"

bool RegisterChildWindowClass(const wchar_t* className)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = CWindow::StaticWindowProc;
    windowClass.hInstance = CApplication::Instance().GetInstanceHandle();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
