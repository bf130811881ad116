#pragma once

#include "toolkit/Window.h"

// One tooltip control for many tools. It is not entered in the window map: its
// notifications go to the tools' parent, which forwards them.
class CToolTipControl : public CWindow
{
public:
    bool Create(HWND owner);
    void Activate(bool active);
    // Pass LPSTR_TEXTCALLBACKW to have the text asked for with TTN_GETDISPINFOW, whose
    // lParam then names the tool. A window that is a tool already stays one tool.
    bool AddTool(HWND tool, LPWSTR text);
    // The same for a tool whose window passes its mouse messages on with RelayEvent
    // itself: nothing of its window changes, which keeps adding thousands of rows cheap.
    bool AddRelayedTool(HWND tool, LPWSTR text);
    // Hands a mouse message of a tool window to the tooltip control toolTip.
    static void RelayEvent(HWND toolTip, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    bool AddToolWithFlags(HWND tool, LPWSTR text, UINT flags);
};
