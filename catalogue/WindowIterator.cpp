#include "catalogue/WindowIterator.h"

bool CWindowIterator::AcceptWindow(HWND)
{
    return true;
}

void CWindowIterator::CollectWindows()
{
    EnumWindows(&CWindowIterator::EnumWindowsCallback, reinterpret_cast<LPARAM>(this));
}

HWND(CWindowIterator::GetNextWindow)()
{
    if (m_cursor >= m_windows.size())
        return nullptr;
    return m_windows[m_cursor++];
}

BOOL CALLBACK CWindowIterator::EnumWindowsCallback(HWND hWnd, LPARAM lParam)
{
    auto* iterator = reinterpret_cast<CWindowIterator*>(lParam);
    if (iterator->AcceptWindow(hWnd))
        iterator->m_windows.push_back(hWnd);
    return TRUE;
}
