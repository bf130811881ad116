#pragma once

#include "toolkit/Window.h"

// An edit control bound to an object; the type alone tells edits from other windows.
class CEdit : public CWindow
{
};
