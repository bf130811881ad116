#pragma once

#include <string>

class CCatalogue;
class CCategorizedList;
class CApplicationCategorizedList;
class CFolderCategorizedList;
class CShortcutCategorizedList;

// The applications, folders and shortcuts lists in HKEY_CURRENT_USER under
// RegistryRoot, one key per category and per entry. Registry failures are
// silent for the program; the savers report them to whoever wants to know.

// Finishes a save that was cut short after it had been completely staged, or
// drops one that was not. False when a staged save could not be finished yet;
// it is kept for the next attempt. The loaders and savers call it themselves.
bool RecoverCatalogueStore();

// Fill the list with categories and entries without windows; the caller
// creates the windows and registers the hotkeys again.
void LoadApplications(CApplicationCategorizedList& list);
void LoadFolders(CFolderCategorizedList& list);
void LoadShortcuts(CShortcutCategorizedList& list);

// Each replaces the stored lists as one unit: whenever the process ends, the
// store holds either all of the previous lists or all of the new ones. True
// when every category and entry was written.
bool SaveCatalogue(const CCatalogue& catalogue);
bool SaveApplications(const CApplicationCategorizedList& list);
bool SaveFolders(const CFolderCategorizedList& list);
bool SaveShortcuts(const CShortcutCategorizedList& list);

// Rewrites the kind key at kindPath (under HKEY_CURRENT_USER) in place, with
// no protection against an interruption; an empty list leaves no kind key.
bool SaveList(const CCategorizedList& list, const std::wstring& kindPath);

// For tests: called before every single registry write of a save or a
// recovery, so that a test can end the process between any two writes.
void SetCatalogueWriteHook(void (*hook)());
