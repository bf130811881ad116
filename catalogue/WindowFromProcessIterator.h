#pragma once

#include "catalogue/WindowIterator.h"

// The top-level windows of one process that have neither parent nor owner.
class CWindowFromProcessIterator : public CWindowIterator
{
public:
    explicit CWindowFromProcessIterator(DWORD processId);

    bool AcceptWindow(HWND hWnd) override;

    // The window to ask the process to end through: the first visible collected window,
    // else the first collected one (a process may keep hidden helper windows on top), else
    // null.
    HWND GetMainWindow();

private:
    DWORD m_processId;
};
