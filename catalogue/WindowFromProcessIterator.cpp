#include "catalogue/WindowFromProcessIterator.h"

CWindowFromProcessIterator::CWindowFromProcessIterator(DWORD processId) : m_processId(processId) {}

bool CWindowFromProcessIterator::AcceptWindow(HWND hWnd)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(hWnd, &processId);
    return processId == m_processId && !GetParent(hWnd);
}

HWND CWindowFromProcessIterator::GetMainWindow()
{
    const HWND first = (GetNextWindow)();
    for (HWND hWnd = first; hWnd; hWnd = (GetNextWindow)())
    {
        if (IsWindowVisible(hWnd))
            return hWnd;
    }
    return first;
}
