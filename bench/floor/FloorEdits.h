#pragma once

// The rows floor's edits: the floor the edit benchmark compares with. A right click on
// a row offers "Edit" and "Delete"; the change is written to the stored catalogue with
// bare registry calls on the window's thread, as a program without a store of its own
// would write it, and the rows are renamed, sorted or removed.

#include <windows.h>

#include <string>
#include <vector>

namespace bench
{
struct FloorRow
{
    HWND window = nullptr;
    std::wstring name;
};

// A category's header and its entries, top to bottom.
struct FloorColumn
{
    FloorRow header;
    std::vector<FloorRow> entries;
};

// Shows the row's menu and makes the edit chosen there; the caller lays the rows out
// again.
void EditRowFromMenu(HWND owner, std::vector<FloorColumn>& columns, HWND row);
} // namespace bench
