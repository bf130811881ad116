#include "views/NameDrawing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// Segments written as the text they cover, highlighted runs in brackets.
std::wstring Render(const std::wstring& name, const std::vector<CNameSegment>& segments)
{
    std::wstring rendered;
    for (const CNameSegment& segment : segments)
    {
        const std::wstring text = name.substr(segment.m_start, segment.m_length);
        rendered += segment.m_highlighted ? L"[" + text + L"]" : L"(" + text + L")";
    }
    return rendered;
}

void ExpectSegments(const std::wstring& name, const std::wstring& needle,
                    const std::wstring& expected, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    const std::vector<CNameSegment> segments = SplitHighlightSegments(name, needle);
    EXPECT_EQ(expected, Render(name, segments));
    size_t next = 0;
    for (const CNameSegment& segment : segments)
    {
        EXPECT_EQ(next, segment.m_start) << "segments must follow each other without gaps";
        next = segment.m_start + segment.m_length;
    }
    EXPECT_EQ(name.size(), next) << "segments must cover the whole name";
}
} // namespace

TEST(HighlightSegments, EmptyNeedleGivesTheWholeNamePlain)
{
    ExpectSegments(L"Notepad", L"", L"(Notepad)", __LINE__);
    ExpectSegments(L"", L"", L"()", __LINE__);
}

TEST(HighlightSegments, NoMatchGivesTheWholeNamePlain)
{
    ExpectSegments(L"Notepad", L"x", L"(Notepad)", __LINE__);
    ExpectSegments(L"pad", L"notepad", L"(pad)", __LINE__);
}

TEST(HighlightSegments, MatchInTheMiddle)
{
    ExpectSegments(L"Notepad Plus", L"pad", L"(Note)[pad]( Plus)", __LINE__);
}

TEST(HighlightSegments, NameEndingInAMatchEndsWithAnEmptyPlainRun)
{
    ExpectSegments(L"Notepad", L"pad", L"(Note)[pad]()", __LINE__);
    ExpectSegments(L"pad", L"pad", L"()[pad]()", __LINE__);
}

TEST(HighlightSegments, EveryOccurrenceIsHighlighted)
{
    ExpectSegments(L"abcabcab", L"bc", L"(a)[bc](a)[bc](ab)", __LINE__);
    ExpectSegments(L"bcbc", L"bc", L"()[bc]()[bc]()", __LINE__);
}

TEST(HighlightSegments, OccurrencesNeverOverlap)
{
    ExpectSegments(L"aaa", L"aa", L"()[aa](a)", __LINE__);
    ExpectSegments(L"aaaa", L"aa", L"()[aa]()[aa]()", __LINE__);
}

TEST(HighlightSegments, MatchingIgnoresCaseAndKeepsTheNameAsWritten)
{
    ExpectSegments(L"NotePad", L"PAD", L"(Note)[Pad]()", __LINE__);
    ExpectSegments(L"TOOLS and tools", L"Tools", L"()[TOOLS]( and )[tools]()", __LINE__);
}

TEST(HighlightSegments, CaseFoldingReachesBeyondAscii)
{
    // CharLowerW folds É and é alike, unlike the equality of names.
    ExpectSegments(L"\u00C9COLE", L"\u00E9cole", L"()[\u00C9COLE]()", __LINE__);
}

namespace
{
// A white 200 x 24 surface with one name drawn on it.
class NameDrawing : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateBitmap(Width, Height, 1, 32, nullptr);
        m_oldBitmap = SelectObject(m_dc, m_bitmap);
        const RECT all = {0, 0, Width, Height};
        FillRect(m_dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        LOGFONTW logFont = {};
        logFont.lfHeight = 15;
        lstrcpynW(logFont.lfFaceName, L"Microsoft Sans Serif", LF_FACESIZE);
        m_font = CreateFontIndirectW(&logFont);
    }

    void TearDown() override
    {
        SelectObject(m_dc, m_oldBitmap);
        DeleteObject(m_bitmap);
        DeleteObject(m_font);
        DeleteDC(m_dc);
    }

    int TextWidth(const std::wstring& text) const
    {
        const HGDIOBJ old = SelectObject(m_dc, m_font);
        SIZE size = {};
        GetTextExtentPoint32W(m_dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(m_dc, old);
        return size.cx;
    }

    bool ColumnHasYellow(int x) const
    {
        for (int y = 0; y < Height; ++y)
        {
            if (GetPixel(m_dc, x, y) == RGB(255, 255, 0))
                return true;
        }
        return false;
    }

    static constexpr int Width = 200;
    static constexpr int Height = 24;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    HFONT m_font = nullptr;
};
} // namespace

TEST_F(NameDrawing, MatchesAreDrawnOnYellow)
{
    const RECT bounds = {0, 2, Width, Height};
    EXPECT_FALSE(DrawItemName(m_dc, L"abcabc", L"B", bounds, m_font));
    const int b1 = TextWidth(L"a"), e1 = TextWidth(L"ab");
    const int b2 = TextWidth(L"abca"), e2 = TextWidth(L"abcab");
    const int end = TextWidth(L"abcabc");
    for (int x = 0; x < Width; ++x)
    {
        const bool inMatch = (x >= b1 && x < e1) || (x >= b2 && x < e2);
        // Glyph edges may blend into the neighbouring column; judge whole columns only.
        if (x == b1 || x == e1 - 1 || x == b2 || x == e2 - 1)
            continue;
        EXPECT_EQ(inMatch, ColumnHasYellow(x)) << "at x = " << x << " (name ends at " << end << ")";
    }
}

TEST_F(NameDrawing, NothingIsYellowWithoutASearch)
{
    const RECT bounds = {0, 2, Width, Height};
    DrawItemName(m_dc, L"abcabc", L"", bounds, m_font);
    for (int x = 0; x < Width; ++x)
        EXPECT_FALSE(ColumnHasYellow(x)) << "at x = " << x;
}

TEST_F(NameDrawing, ReportsANameThatRunsPastTheLimit)
{
    const int width = TextWidth(L"abcab");
    EXPECT_FALSE(DrawItemName(m_dc, L"abcab", L"", {10, 2, 10 + width, Height}, m_font));
    EXPECT_TRUE(DrawItemName(m_dc, L"abcab", L"", {10, 2, 9 + width, Height}, m_font));
    // Ending in a match, the last run is empty and starts where the name ends.
    EXPECT_FALSE(DrawItemName(m_dc, L"abcab", L"ab", {10, 2, 10 + width, Height}, m_font));
    EXPECT_TRUE(DrawItemName(m_dc, L"abcab", L"ab", {10, 2, 9 + width, Height}, m_font));
}
