#include "toolkit/ToolTipControl.h"

#include <windowsx.h>

#include "toolkit/Application.h"

bool CToolTipControl::Create(HWND owner)
{
    const HWND hWnd =
        CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                        CApplication::Instance().GetInstanceHandle(), nullptr);
    SetHandle(hWnd);
    if (!hWnd)
        return false;
    SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    return true;
}

void CToolTipControl::Activate(bool active)
{
    SendMessage(TTM_ACTIVATE, active ? TRUE : FALSE, 0);
}

bool CToolTipControl::AddTool(HWND tool, LPWSTR text)
{
    return AddToolWithFlags(tool, text, TTF_IDISHWND | TTF_SUBCLASS);
}

bool CToolTipControl::AddRelayedTool(HWND tool, LPWSTR text)
{
    return AddToolWithFlags(tool, text, TTF_IDISHWND);
}

void CToolTipControl::RelayEvent(HWND toolTip, HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    MSG relayed = {};
    relayed.hwnd = window;
    relayed.message = msg;
    relayed.wParam = wParam;
    relayed.lParam = lParam;
    relayed.time = static_cast<DWORD>(GetMessageTime());
    const DWORD position = GetMessagePos();
    relayed.pt = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ::SendMessageW(toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

bool CToolTipControl::AddToolWithFlags(HWND tool, LPWSTR text, UINT flags)
{
    TOOLINFOW info = {};
    // The size up to lParam is what every common-controls version accepts for this
    // request; 44 bytes was that size in 32-bit builds.
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = flags;
    info.hwnd = GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text;
    info.lParam = reinterpret_cast<LPARAM>(tool);
    // A tool added twice would pop up two tips for one window.
    TOOLINFOW known = info;
    known.lpszText = nullptr;
    if (SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&known)))
        return true;
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}
