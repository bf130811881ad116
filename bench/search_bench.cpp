// One keystroke in the toolbar's search box to the repaint of every row, with
// 500 entries. The key is real input (SendInput) into the focused box; keys
// alternate between "e", which every entry's name holds, and Backspace. The
// repaint is seen on the screen, since another process cannot read a window's
// update region (GetUpdateRect answers FALSE there) and is told of the idle
// state only once: the time runs from the key until the box holds the new
// text and every entry row wholly on screen shows the yellow of a match after
// the letter, and none after Backspace. The floor (bench/floor/rows_floor.cpp)
// moves and invalidates the same windows on every change of its box and
// paints the match the same way.

#include <windows.h>

#include <string>
#include <vector>

#include "bench/floor/BenchSupport.h"

namespace
{
constexpr int Entries = 500;
constexpr int Keystrokes = 20;
constexpr DWORD TimeoutMs = 15000;
constexpr double Goal = 1.5;

bool WaitForTextLength(HWND edit, LRESULT length)
{
    return bench::WaitUntil(
        [edit, length]
        {
            DWORD_PTR current = 0;
            return SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, TimeoutMs,
                                       &current) &&
                   static_cast<LRESULT>(current) == length;
        },
        TimeoutMs);
}

const COLORREF HighlightColour = RGB(255, 255, 0);

// The screen inside one rectangle, as 32-bit pixels, top row first.
class CScreenCapture
{
public:
    explicit CScreenCapture(const RECT& area)
        : m_area(area), m_width(area.right - area.left),
          m_pixels(static_cast<size_t>(m_width) * (area.bottom - area.top))
    {
        const HDC screen = GetDC(nullptr);
        const HDC memory = CreateCompatibleDC(screen);
        const HBITMAP bitmap = CreateCompatibleBitmap(screen, m_width, area.bottom - area.top);
        const HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, m_width, area.bottom - area.top, screen, area.left, area.top, SRCCOPY);
        SelectObject(memory, old);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = m_width;
        info.bmiHeader.biHeight = -(area.bottom - area.top);
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        GetDIBits(memory, bitmap, 0, area.bottom - area.top, m_pixels.data(), &info,
                  DIB_RGB_COLORS);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }

    bool Contains(const RECT& rect, COLORREF colour) const
    {
        const DWORD wanted =
            (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        for (LONG y = rect.top; y < rect.bottom; ++y)
            for (LONG x = rect.left; x < rect.right; ++x)
                if ((Pixel(x, y) & 0xFFFFFF) == wanted)
                    return true;
        return false;
    }

private:
    DWORD Pixel(LONG x, LONG y) const
    {
        return m_pixels[static_cast<size_t>(y - m_area.top) * m_width + (x - m_area.left)];
    }

    RECT m_area;
    LONG m_width;
    std::vector<DWORD> m_pixels;
};

// The part of the page on screen and the entry rows wholly inside it, in
// screen coordinates; the rest of the rows are clipped away and draw nothing.
// The category headers, on the page's first line with these few categories,
// are left out: the program draws them in its own way, the floor does not.
struct RowsOnScreen
{
    RECT area = {};
    std::vector<RECT> rows;
};

RowsOnScreen FindRowsOnScreen(HWND main, const wchar_t* rowClass)
{
    RowsOnScreen found;
    const HWND first = bench::FindDescendant(main, rowClass);
    if (first == nullptr)
        return found;
    const HWND page = GetParent(first);
    GetClientRect(page, &found.area);
    MapWindowPoints(page, nullptr, reinterpret_cast<POINT*>(&found.area), 2);
    for (HWND window : bench::VisibleDescendants(page))
    {
        RECT rect = {};
        RECT inside = {};
        GetWindowRect(window, &rect);
        if (IntersectRect(&inside, &rect, &found.area) && EqualRect(&inside, &rect) &&
            rect.top != found.area.top)
            found.rows.push_back(rect);
    }
    return found;
}

bool ShowState(const RowsOnScreen& screen, bool highlighted)
{
    const CScreenCapture capture(screen.area);
    for (const RECT& row : screen.rows)
        if (capture.Contains(row, HighlightColour) != highlighted)
            return false;
    return true;
}

bool WaitForState(const RowsOnScreen& screen, bool highlighted)
{
    return bench::WaitUntil([&] { return ShowState(screen, highlighted); }, TimeoutMs);
}

bool HasFocus(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
           info.hwndFocus == window;
}

bool FocusBox(HWND main, HWND edit)
{
    RECT rect = {};
    GetWindowRect(edit, &rect);
    bench::ClickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    return bench::WaitUntil([edit] { return HasFocus(edit); }, TimeoutMs) &&
           bench::Settle(main, TimeoutMs);
}

// Median milliseconds per keystroke; negative when a keystroke was not seen
// through to the repaint.
double TimeKeystrokes(const bench::ProgramUnderTest& program)
{
    bench::CStartedProgram started;
    if (!bench::StartAndPaint(started, program, Entries))
        return -1;
    const HWND main = started.MainWindow();
    const HWND edit =
        bench::FindDescendant(bench::FindDescendant(main, program.toolbarClass), L"Edit");
    const RowsOnScreen screen = FindRowsOnScreen(main, program.rowClass);
    if (edit == nullptr || screen.rows.empty() || !FocusBox(main, edit))
        return -1;
    std::vector<double> spent;
    for (int key = 0; key < Keystrokes; ++key)
    {
        const bool typing = key % 2 == 0;
        const LARGE_INTEGER start = bench::Now();
        bench::PressKey(typing ? 'E' : VK_BACK);
        if (!WaitForTextLength(edit, typing ? 1 : 0) || !WaitForState(screen, typing))
            return -1;
        spent.push_back(bench::MillisecondsSince(start));
    }
    return bench::Median(spent);
}
} // namespace

int main()
{
    const double pathmoor = TimeKeystrokes(bench::Pathmoor);
    const double floor = TimeKeystrokes(bench::RowsFloor);
    bench::PrintTableHeader();
    bench::PrintTableRow("search keystroke to repaint of every row, 500 entries (ms)", pathmoor,
                         floor, Goal);
    bench::DeleteProgramRoot();
    return 0;
}
