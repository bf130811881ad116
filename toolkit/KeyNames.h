#pragma once

#include <windows.h>

#include <string>

// The name shown for a key that can be part of a hotkey; the empty string for every
// other key. This table alone decides which keys a hotkey may use.
std::wstring GetKeyName(UINT virtualKey);
