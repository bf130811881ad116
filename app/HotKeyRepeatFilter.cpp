#include "app/HotKeyRepeatFilter.h"

namespace
{
// Often enough to let a quick second press through, rarely enough to cost nothing.
constexpr UINT PollMs = 30;
} // namespace

bool CHotKeyRepeatFilter::Admit(HWND window, int id, UINT key)
{
    if (id == m_heldId)
        return false;
    m_heldId = id;
    m_heldKey = key;
    SetTimer(window, TimerId, PollMs, nullptr);
    return true;
}

void CHotKeyRepeatFilter::OnTimer(HWND window)
{
    if (m_heldId != -1 && (GetAsyncKeyState(static_cast<int>(m_heldKey)) & 0x8000) != 0)
        return;
    m_heldId = -1;
    KillTimer(window, TimerId);
}
