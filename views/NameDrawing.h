#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One run of an entry's name, drawn plain or highlighted as a match of the search text.
struct CNameSegment
{
    size_t m_start;
    size_t m_length;
    bool m_highlighted;
};

// Cuts the name into plain runs and non-overlapping matches of the needle, both compared
// lower-cased with CharLowerW, searching on after the end of each match. Empty plain runs
// are kept: a name that ends with a match ends with an empty plain run. An empty needle
// gives the whole name as one plain run.
std::vector<CNameSegment> SplitHighlightSegments(const std::wstring& name,
                                                 const std::wstring& needle);

// The main window's search text; empty while there is no main window.
std::wstring GetSearchText();
// The row carries the search's current match, which Enter launches.
bool IsCurrentMatch(HWND row);

// Draws the name in bounds (left: the origin, right: the limit) with the matches of the
// needle on yellow; in the current match they take the system's selection colours, which
// high-contrast schemes keep apart. Returns whether the name ran past the right limit.
bool DrawItemName(HDC dc, const std::wstring& name, const std::wstring& needle, const RECT& bounds,
                  HFONT font, bool currentMatch = false);
// The frame around the current match: the selection colour and a focus rectangle inside it.
void DrawCurrentMatchFrame(HDC dc, const RECT& client);
