#include "views/NameDrawing.h"

#include "toolkit/Scoped.h"
#include "toolkit/Utilities.h"
#include "views/RowHost.h"

namespace
{
const COLORREF HighlightColour = RGB(255, 255, 0);
const COLORREF TextColour = RGB(0, 0, 0);

// Draws one run from bounds.left and returns its full width, also when it was cut.
int DrawSegment(HDC dc, const std::wstring& text, bool highlighted, bool currentMatch,
                const RECT& bounds)
{
    SetBkMode(dc, highlighted ? OPAQUE : TRANSPARENT);
    SetTextColor(dc, highlighted && currentMatch ? GetSysColor(COLOR_HIGHLIGHTTEXT) : TextColour);
    if (highlighted)
        SetBkColor(dc, currentMatch ? GetSysColor(COLOR_HIGHLIGHT) : HighlightColour);
    std::wstring buffer = text;
    RECT rect = bounds;
    DrawTextExW(dc, &buffer[0], static_cast<int>(buffer.size()), &rect, DT_WORD_ELLIPSIS, nullptr);
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}
} // namespace

std::vector<CNameSegment> SplitHighlightSegments(const std::wstring& name,
                                                 const std::wstring& needle)
{
    const std::wstring lowerNeedle = ToLower(needle);
    if (lowerNeedle.empty())
        return {{0, name.size(), false}};
    // CharLowerW maps unit for unit, so positions in the lowered name hold in the name.
    const std::wstring haystack = ToLower(name);
    std::vector<CNameSegment> segments;
    size_t end = 0;
    for (size_t found = haystack.find(lowerNeedle); found != std::wstring::npos;
         found = haystack.find(lowerNeedle, end))
    {
        segments.push_back({end, found - end, false});
        segments.push_back({found, lowerNeedle.size(), true});
        end = found + lowerNeedle.size();
    }
    segments.push_back({end, name.size() - end, false});
    return segments;
}

std::wstring GetSearchText()
{
    const IRowHost* host = IRowHost::Current();
    return host ? host->GetSearchText() : std::wstring();
}

bool IsCurrentMatch(HWND row)
{
    const IRowHost* host = IRowHost::Current();
    return host && row != nullptr && host->GetCurrentMatch() == row;
}

bool DrawItemName(HDC dc, const std::wstring& name, const std::wstring& needle, const RECT& bounds,
                  HFONT font, bool currentMatch)
{
    CScopedSelect selectFont(dc, font);
    RECT rect = bounds;
    bool truncated = false;
    for (const CNameSegment& segment : SplitHighlightSegments(name, needle))
    {
        const int width = DrawSegment(dc, name.substr(segment.m_start, segment.m_length),
                                      segment.m_highlighted, currentMatch, rect);
        // The last run ends where the name ends, so its answer is the name's.
        truncated = bounds.right - rect.left < width;
        rect.left += width;
    }
    return truncated;
}

void DrawCurrentMatchFrame(HDC dc, const RECT& client)
{
    FrameRect(dc, &client, GetSysColorBrush(COLOR_HIGHLIGHT));
    RECT inner = client;
    InflateRect(&inner, -1, -1);
    // Inverted, so it shows on the tiles in any colour scheme.
    DrawFocusRect(dc, &inner);
}
