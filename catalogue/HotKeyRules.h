#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CCategorizedList;
class CLaunchItem;

// RegisterHotKey modifiers of a shell-link hotkey word; HOTKEYF_EXT plays no part.
UINT HotKeyModifiers(WORD hotKey);
// Two words that RegisterHotKey would take as one combination.
bool SameCombination(WORD a, WORD b);
// The word of a combination of RegisterHotKey modifiers and key; 0 for one with the
// Windows key, which no word can hold.
WORD HotKeyWordOf(UINT modifiers, UINT key);
// RegisterHotKey with MOD_NOREPEAT, so that a combination held down reports once and not
// at every key repeat; a system that does not know the flag gets the plain call.
bool RegisterOnce(HWND window, int id, UINT modifiers, UINT key);

// The list's entries that can hold a hotkey, as the user sees them: categories in name
// order (names that fold alike by their code units), each one's entries in the name order
// the category keeps. Hotkeys are registered in this order, so a combination that two
// stored entries share goes to the same one at every start.
std::vector<CLaunchItem*> LaunchItemsInOrder(const CCategorizedList& list);
