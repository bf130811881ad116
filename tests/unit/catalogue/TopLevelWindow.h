#pragma once

#include <windows.h>

namespace catalogue_test
{
// A hidden top-level window of this thread, optionally owned by another window, destroyed
// with the object.
class CTopLevelWindow
{
public:
    explicit CTopLevelWindow(HWND owner = nullptr, DWORD style = WS_OVERLAPPED);
    ~CTopLevelWindow();
    CTopLevelWindow(const CTopLevelWindow&) = delete;
    CTopLevelWindow& operator=(const CTopLevelWindow&) = delete;

    HWND Get() const { return m_hWnd; }

private:
    HWND m_hWnd;
};
} // namespace catalogue_test
