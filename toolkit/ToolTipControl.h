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
};
