#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

#include "store/Settings.h"

class CCatalogue;
class CCategorizedList;
class CCategory;
class CListItem;
enum class ListKind : int;

// The values an entry is made of, as stored or as typed in the editor; a kind without
// launch options ignores the arguments, start-in folder and hotkey.
struct EntryFields
{
    const std::wstring& name;
    const std::wstring& path;
    const std::wstring& arguments;
    const std::wstring& startIn;
    WORD hotKey;
};

// Where a row's shell icon stands, and where the icon column ends with the icon option
// off, with no icon to draw, and with the icon drawn; in pixels at 96 DPI.
struct EntryIconColumn
{
    int iconLeft;
    int bare;
    int empty;
    int filled;
};

// Everything that differs between the kinds of entry, one row per kind, so that the
// store, the editor, the pages and the rows read it from one place.
struct EntryKind
{
    ListKind list;
    // The caption of the kind's page window; empty for the folders pane.
    const wchar_t* pageTitle;
    // String ids of the item editor's captions and labels.
    UINT addTitle;
    UINT editTitle;
    UINT nameLabel;
    UINT pathLabel;
    // Arguments, a start-in folder and a hotkey, all three or none.
    bool hasLaunchOptions;
    // Browse picks a folder rather than a file.
    bool pathIsFolder;
    // Only a program (.exe) is accepted as the path.
    bool pathIsProgram;
    // The menus of the kind's headers and rows, and the bitmap its rows are tiled with.
    UINT headerMenu;
    UINT rowMenu;
    UINT rowBitmap;
    // Asked before a row's entry is deleted.
    const wchar_t* deletePrompt;
    // The option that shows the kind's icons, and where the icon stands in a row.
    bool CSettings::*showIcons;
    EntryIconColumn iconColumn;
    // The shell is asked for the icon of the path's type (by its extension, so the file
    // need not exist), else for that of the file itself.
    bool iconByType;
    // The icon is asked for when the row is made; else at its first paint.
    bool iconAtCreate;
    CCategorizedList& (*listOf)(CCatalogue& catalogue);
    // A null parent window makes an entry without a window (the store's loaders do that).
    std::unique_ptr<CListItem> (*make)(const EntryFields& fields, CCategory* category,
                                       HWND parentWindow);
};

// The number of kinds; the list kinds' values run from 0 below it.
inline constexpr size_t EntryKindCount = 3;

// The row of the kind; any value out of range gives the applications' row, as the lists
// and pages have always taken it.
const EntryKind& KindOf(ListKind kind);
