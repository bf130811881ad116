#include "catalogue/WindowIterator.h"

#include "toolkit/Shielded.h"

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
    // Out of memory the enumeration stops with what it has.
    return CallShielded(
        [&]
        {
            if (iterator->AcceptWindow(hWnd))
                iterator->m_windows.push_back(hWnd);
            return TRUE;
        },
        [] { return FALSE; });
}
