#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The clipboard format "Performed DropEffect", registered by the first call; the program
// makes that call at start-up.
CLIPFORMAT PerformedDropEffectFormat();

// The CF_HDROP medium for the paths: a wide DROPFILES header, then every path with its zero
// character, then one more zero character. Paths of any length go in whole. Null when memory
// runs out, for an empty list (readers of a list without names read past its end) and when a
// path is empty or holds a zero character (either would cut the list short there).
HGLOBAL BuildDropFiles(const std::vector<std::wstring>& paths);

// Puts the paths on the OLE clipboard as a file drop list for the shell to paste. True when
// they are on it; false, leaving the clipboard alone, for a list BuildDropFiles refuses.
bool CopyFilesToClipboard(const std::vector<std::wstring>& paths);
