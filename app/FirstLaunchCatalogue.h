#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CCatalogue;
class CCategory;

// Adds an entry for each file of folder (which ends with a backslash) to category, and
// stops once the category holds more than 10. makeShortcuts makes shortcut entries in
// shortcutsPage, otherwise application entries (".exe" targets only) in applicationsPage;
// resolveLinks reads ".lnk" files as shell links and takes no other file.
void ScanFolderIntoCategory(CCategory& category, const std::wstring& folder, HWND applicationsPage,
                            HWND shortcutsPage, bool makeShortcuts, bool resolveLinks);

// The root folder of every logical drive, such as "C:\", however many there are.
std::vector<std::wstring> GetLogicalDriveRoots();

// Whether the applications, folders and shortcuts lists hold no category: a store
// without the first-start marker (imported by hand) but with a catalogue is no first start.
bool HoldsNoStoredCategory(const CCatalogue& catalogue);

// The catalogue of a user's very first start: Start Menu programs, drives, the user's
// document folders and the files next to the program, each in its category of that name,
// which is made only where the catalogue has none. The windows are left for the next
// layout to place.
void FillFirstLaunchCatalogue(CCatalogue& catalogue, HWND applicationsPage, HWND shortcutsPage,
                              HWND foldersPane);
