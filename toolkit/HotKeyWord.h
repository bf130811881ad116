#pragma once

#include <windows.h>

#include <commctrl.h>

// A combination has two encodings: a shell-link hotkey word, with HOTKEYF_ flags in its
// high byte, and RegisterHotKey modifiers (MOD_) beside a virtual key.

// MOD_ bits of HOTKEYF_ flags; HOTKEYF_EXT plays no part.
UINT ModifiersOfHotKeyFlags(BYTE flags);
// HOTKEYF_ flags of MOD_ bits; a word cannot hold the Windows key, which is dropped.
BYTE HotKeyFlagsOfModifiers(UINT modifiers);
