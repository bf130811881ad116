#include "catalogue/ApplicationCategorizedList.h"
#include "catalogue/ApplicationItem.h"
#include "catalogue/FolderCategorizedList.h"
#include "catalogue/FolderItem.h"
#include "catalogue/NoteCategorizedList.h"
#include "catalogue/ShortcutCategorizedList.h"
#include "catalogue/ShortcutItem.h"
#include "tests/support/unit/HostWindow.h"
#include "tests/support/InProcessInput.h"
#include "views/ShortcutItemWindow.h"

#include <gtest/gtest.h>
#include <windowsx.h>

#include <memory>
#include <vector>

using namespace test_support;

namespace
{
constexpr COLORREF Sentinel = RGB(255, 0, 255);

// Rows and headers on a host window that stands in for a page: the header of "Tools" at
// (0, 0) with the row "Row" below it at (0, 22), the header of "Games" at (150, 0) and the
// row "Other" under it at (150, 22). The host's bare area starts below them.
class ListWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CListItemWindow::RegisterListItemClass();
        CListItemWindow::s_buttonDown = false;
        m_list.m_parentWindow = m_host.GetHwnd();
        m_tools = m_list.AddCategory(L"Tools");
        m_games = m_list.AddCategory(L"Games");
        m_row = AddRow(m_tools, L"Row");
        m_other = AddRow(m_games, L"Other");
        PlaceWindow(m_tools->m_window->GetHwnd(), 0, 0);
        PlaceWindow(m_row->GetHwnd(), 0, 22);
        PlaceWindow(m_games->m_window->GetHwnd(), 150, 0);
        PlaceWindow(m_other->GetHwnd(), 150, 22);
        // Start every test with the cursor on the bare host. Two moves: the display may
        // still report where an earlier test left the pointer.
        ASSERT_TRUE(MoveMouseTo(ScreenPoint(m_host.GetHwnd(), 310, 160), m_host.GetHwnd()));
        ASSERT_TRUE(MoveMouseTo(ScreenPoint(m_host.GetHwnd(), 300, 150), m_host.GetHwnd()));
    }

    void TearDown() override
    {
        if (GetAsyncKeyState(VK_LBUTTON) & 0x8000)
            ReleaseLeftButton(GetCapture() ? GetCapture() : m_host.GetHwnd());
    }

    CListItemWindow* AddRow(CCategory* category, const std::wstring& name)
    {
        auto item =
            std::make_unique<CShortcutItem>(name, category, L"", L"", L"", 0, m_host.GetHwnd());
        CListItemWindow* window = item->m_window.get();
        category->InsertItem(std::move(item));
        return window;
    }

    bool MoveTo(HWND window, int x, int y, HWND receiver = nullptr)
    {
        return MoveMouseTo(ScreenPoint(window, x, y), receiver ? receiver : window);
    }

    // The WM_LISTITEMCLICK messages that reach the row once everything posted so far
    // has been dispatched.
    std::vector<MSG> CollectClicks(HWND window)
    {
        std::vector<MSG> clicks;
        EXPECT_TRUE(FlushPostedMessages(window,
                                        [&clicks, window](const MSG& msg)
                                        {
                                            if (msg.message == WM_LISTITEMCLICK &&
                                                msg.hwnd == window)
                                                clicks.push_back(msg);
                                        }));
        return clicks;
    }

    HWND Host() const { return m_host.GetHwnd(); }
    HWND RowHwnd() const { return m_row->GetHwnd(); }
    HWND ToolsHwnd() const { return m_tools->m_window->GetHwnd(); }

    CHostWindow m_host{{100, 100, 600, 400}};
    CShortcutCategorizedList m_list;
    CCategory* m_tools = nullptr;
    CCategory* m_games = nullptr;
    CListItemWindow* m_row = nullptr;
    CListItemWindow* m_other = nullptr;
};

COLORREF BitmapPixel(HBITMAP bitmap, int x, int y)
{
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return colour;
}

// Resizes the window, fills it with the sentinel colour and lets it paint itself over it;
// returns its bottom row, below any text.
std::vector<COLORREF> PaintOverSentinel(HWND hWnd, int width)
{
    SetWindowPos(hWnd, nullptr, 0, 0, width, 22, SWP_NOMOVE | SWP_NOZORDER);
    const HDC dc = GetDC(hWnd);
    const HBRUSH brush = CreateSolidBrush(Sentinel);
    const RECT client = {0, 0, width, 22};
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    ReleaseDC(hWnd, dc);
    InvalidateRect(hWnd, nullptr, FALSE);
    UpdateWindow(hWnd);
    const std::vector<COLORREF> pixels = CaptureClient(hWnd);
    return std::vector<COLORREF>(pixels.end() - width, pixels.end());
}

void ExpectTiles(CListItemWindow& window, int width, int tiledWidth, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line << ", width " << width);
    ASSERT_NE(nullptr, window.m_background);
    const std::vector<COLORREF> row = PaintOverSentinel(window.GetHwnd(), width);
    for (int x = 0; x < width; ++x)
    {
        const COLORREF expected =
            x < tiledWidth ? BitmapPixel(window.m_background, x % 20, 21) : Sentinel;
        ASSERT_EQ(expected, row[static_cast<size_t>(x)]) << "at x = " << x;
    }
}

void ExpectCanDrop(CListItemWindow& window, LRESULT expected, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    const HCURSOR sentinel = LoadCursorW(nullptr, IDC_CROSS);
    SetCursor(sentinel);
    EXPECT_EQ(expected, SendMessageW(window.GetHwnd(), WM_LISTITEMCANDROP, 0, 0));
    EXPECT_EQ(expected ? LoadCursorW(nullptr, IDC_HAND) : sentinel, GetCursor());
}

NMTTDISPINFOW AskForTip(CListItemWindow& window, UINT code = TTN_GETDISPINFOW)
{
    static wchar_t sentinel[] = L"sentinel";
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = nullptr;
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(window.GetHwnd());
    info.hdr.code = code;
    info.lpszText = sentinel;
    LRESULT result = 0;
    window.OnReflectNotify(&info.hdr, &result);
    return info;
}
} // namespace

TEST_F(ListWindowTest, WindowOf140PixelsDrawsSevenTiles)
{
    ExpectTiles(*m_tools->m_window, 140, 140, __LINE__);
    ExpectTiles(*m_row, 140, 140, __LINE__);
    // Only whole tiles are drawn: what is left of a 20-pixel column stays as it was.
    ExpectTiles(*m_tools->m_window, 159, 140, __LINE__);
    ExpectTiles(*m_row, 150, 140, __LINE__);
    ExpectTiles(*m_row, 19, 0, __LINE__);
}

TEST_F(ListWindowTest, HoverEndsAtTheFirstTickAfterTheCursorLeaves)
{
    const std::vector<COLORREF> plain = CaptureClient(RowHwnd());
    ASSERT_TRUE(MoveTo(RowHwnd(), 70, 11));
    EXPECT_TRUE(m_row->m_hover);
    UpdateWindow(RowHwnd());
    EXPECT_NE(plain, CaptureClient(RowHwnd())) << "the name is underlined while hovered";

    // Leaving sends the row no message; the hover must end at the first tick of its timer
    // that finds the cursor elsewhere, not later.
    bool lastWasTickOutside = false;
    bool hoveredAfterTickOutside = false;
    const auto watch = [&](const MSG& msg)
    {
        hoveredAfterTickOutside = hoveredAfterTickOutside || (lastWasTickOutside && m_row->m_hover);
        POINT cursor = {};
        GetCursorPos(&cursor);
        lastWasTickOutside = msg.message == WM_TIMER && msg.hwnd == RowHwnd() &&
                             WindowFromPoint(cursor) != RowHwnd();
    };
    ASSERT_TRUE(MoveMouseTo(ScreenPoint(Host(), 300, 150), Host(), watch));
    ASSERT_TRUE(PumpUntil([this] { return !m_row->m_hover; }, watch));
    EXPECT_FALSE(hoveredAfterTickOutside);
    UpdateWindow(RowHwnd());
    EXPECT_EQ(plain, CaptureClient(RowHwnd())) << "the underline is gone again";
}

TEST_F(ListWindowTest, PressAndReleasePostAClickWithThePoint)
{
    ASSERT_TRUE(MoveTo(RowHwnd(), 30, 11));
    ASSERT_TRUE(PressLeftButton(RowHwnd()));
    EXPECT_TRUE(CListItemWindow::s_buttonDown);
    EXPECT_EQ(30, m_row->m_pressPoint.x);
    EXPECT_EQ(11, m_row->m_pressPoint.y);
    ASSERT_TRUE(ReleaseLeftButton(RowHwnd()));
    EXPECT_FALSE(CListItemWindow::s_buttonDown);

    const std::vector<MSG> clicks = CollectClicks(RowHwnd());
    ASSERT_EQ(1u, clicks.size());
    EXPECT_EQ(30, GET_X_LPARAM(clicks[0].lParam));
    EXPECT_EQ(11, GET_Y_LPARAM(clicks[0].lParam));
    EXPECT_EQ(0u, clicks[0].wParam) << "no button is down any more at the release";
    EXPECT_FALSE(m_row->m_dragging);
}

TEST_F(ListWindowTest, MoveShorterThanTheDragDistanceIsStillAClick)
{
    const int dx = GetSystemMetrics(SM_CXDRAG) - 1;
    ASSERT_TRUE(MoveTo(RowHwnd(), 30, 11));
    ASSERT_TRUE(PressLeftButton(RowHwnd()));
    ASSERT_TRUE(MoveTo(RowHwnd(), 30 + dx, 11));
    EXPECT_FALSE(m_row->m_dragging);
    ASSERT_TRUE(ReleaseLeftButton(RowHwnd()));
    const std::vector<MSG> clicks = CollectClicks(RowHwnd());
    ASSERT_EQ(1u, clicks.size());
    EXPECT_EQ(30 + dx, GET_X_LPARAM(clicks[0].lParam));
}

TEST_F(ListWindowTest, PressThatBeganOutsideEveryListWindowGivesNoClick)
{
    ASSERT_TRUE(PressLeftButton(Host()));
    ASSERT_TRUE(MoveTo(RowHwnd(), 30, 11));
    ASSERT_TRUE(ReleaseLeftButton(RowHwnd()));
    EXPECT_TRUE(CollectClicks(RowHwnd()).empty());
    EXPECT_FALSE(m_row->m_dragging);
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(ListWindowTest, ReleaseOutsideThePressedRowGivesNoClick)
{
    const int dy = GetSystemMetrics(SM_CYDRAG) - 1;
    ASSERT_TRUE(MoveTo(RowHwnd(), 30, 21));
    ASSERT_TRUE(PressLeftButton(RowHwnd()));
    // Still within the drag distance, but already over the host below the row.
    ASSERT_TRUE(MoveTo(RowHwnd(), 30, 21 + dy, RowHwnd()));
    ASSERT_TRUE(ReleaseLeftButton(RowHwnd())) << "the pressed row keeps the mouse";
    EXPECT_TRUE(CollectClicks(RowHwnd()).empty());
}

TEST_F(ListWindowTest, MoveBeyondTheDragDistanceStartsADragWithCapture)
{
    const int dx = GetSystemMetrics(SM_CXDRAG);
    ASSERT_TRUE(MoveTo(RowHwnd(), 30, 11));
    ASSERT_TRUE(PressLeftButton(RowHwnd()));
    ASSERT_TRUE(MoveTo(RowHwnd(), 30 + dx, 11));
    EXPECT_TRUE(m_row->m_dragging);
    EXPECT_EQ(RowHwnd(), GetCapture());

    ASSERT_TRUE(ReleaseLeftButton(RowHwnd()));
    EXPECT_FALSE(m_row->m_dragging);
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_TRUE(CollectClicks(RowHwnd()).empty()) << "a drag ends without a click";
}

TEST_F(ListWindowTest, VerticalMoveStartsADragToo)
{
    const int dy = GetSystemMetrics(SM_CYDRAG);
    ASSERT_TRUE(MoveTo(RowHwnd(), 30, 5));
    ASSERT_TRUE(PressLeftButton(RowHwnd()));
    ASSERT_TRUE(MoveTo(RowHwnd(), 30, 5 + dy));
    EXPECT_TRUE(m_row->m_dragging);
}

TEST_F(ListWindowTest, DragShowsWhereARowCanBeDropped)
{
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    const HCURSOR no = LoadCursorW(nullptr, IDC_NO);
    ASSERT_TRUE(MoveTo(RowHwnd(), 30, 11));
    ASSERT_TRUE(PressLeftButton(RowHwnd()));
    ASSERT_TRUE(MoveTo(RowHwnd(), 60, 11));
    ASSERT_TRUE(m_row->m_dragging);
    EXPECT_EQ(no, GetCursor()) << "over the dragged row itself";

    ASSERT_TRUE(MoveTo(m_games->m_window->GetHwnd(), 40, 11, RowHwnd()));
    EXPECT_EQ(hand, GetCursor()) << "over another category's header";
    ASSERT_TRUE(MoveTo(ToolsHwnd(), 40, 11, RowHwnd()));
    EXPECT_EQ(hand, GetCursor()) << "over its own category's header";
    ASSERT_TRUE(MoveTo(m_other->GetHwnd(), 40, 11, RowHwnd()));
    EXPECT_EQ(no, GetCursor()) << "over another row";
    ASSERT_TRUE(MoveTo(Host(), 300, 150, RowHwnd()));
    EXPECT_EQ(no, GetCursor()) << "over the bare page";
    ASSERT_TRUE(MoveTo(Host(), 600, 150, RowHwnd()));
    EXPECT_EQ(no, GetCursor()) << "outside the page";
    ASSERT_TRUE(ReleaseLeftButton(RowHwnd()));
    EXPECT_EQ(2u, m_tools->m_items.size() + m_games->m_items.size()) << "nothing dropped";
}

TEST_F(ListWindowTest, CategoryHeaderIsNeverDragged)
{
    ASSERT_TRUE(MoveTo(ToolsHwnd(), 30, 11));
    ASSERT_TRUE(PressLeftButton(ToolsHwnd()));
    ASSERT_TRUE(MoveTo(ToolsHwnd(), 100, 11));
    EXPECT_FALSE(m_tools->m_window->m_dragging);
    ASSERT_TRUE(MoveTo(ToolsHwnd(), 100, 80, ToolsHwnd()));
    EXPECT_FALSE(m_tools->m_window->m_dragging);
    ASSERT_TRUE(ReleaseLeftButton(ToolsHwnd()));
}

// A press on a header released beside it used to leave the press open, so that the next
// row the cursor passed over started a drag with no button held.
TEST_F(ListWindowTest, PressReleasedBesideAHeaderLeavesNoDragBehind)
{
    ASSERT_TRUE(MoveTo(ToolsHwnd(), 30, 11));
    ASSERT_TRUE(PressLeftButton(ToolsHwnd()));
    ASSERT_TRUE(MoveTo(Host(), 300, 150, ToolsHwnd()));
    ASSERT_TRUE(ReleaseLeftButton(ToolsHwnd()));
    EXPECT_FALSE(CListItemWindow::s_buttonDown);

    ASSERT_TRUE(MoveTo(RowHwnd(), 30, 11));
    ASSERT_TRUE(MoveTo(RowHwnd(), 90, 11));
    EXPECT_FALSE(m_row->m_dragging);
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(ListWindowTest, OnlyCategoryHeadersAcceptDrops)
{
    CApplicationCategorizedList applications;
    CFolderCategorizedList folders;
    CNoteCategorizedList notes;
    for (CCategorizedList* list : std::vector<CCategorizedList*>{&applications, &folders, &notes})
        list->m_parentWindow = Host();
    CCategory* apps = applications.AddCategory(L"A");
    CCategory* places = folders.AddCategory(L"F");
    const CApplicationItem application(L"a", apps, L"", L"", L"", 0, Host());
    const CFolderItem folder(L"f", places, L"", Host());

    ExpectCanDrop(*apps->m_window, 1, __LINE__);
    ExpectCanDrop(*m_tools->m_window, 1, __LINE__);
    ExpectCanDrop(*places->m_window, 1, __LINE__);
    ExpectCanDrop(*notes.AddCategory(L"N")->m_window, 0, __LINE__);
    ExpectCanDrop(*application.m_window, 0, __LINE__);
    ExpectCanDrop(*m_row, 0, __LINE__);
    ExpectCanDrop(*folder.m_window, 0, __LINE__);
    EXPECT_EQ(0, SendMessageW(RowHwnd(), WM_LISTITEMDROP, reinterpret_cast<WPARAM>(RowHwnd()), 0));
}

TEST_F(ListWindowTest, LongCategoryNameIsCutAndShownWholeAsATip)
{
    CCategoryItemWindow& header = *m_tools->m_window;
    UpdateWindow(header.GetHwnd());
    EXPECT_FALSE(header.m_truncated);
    EXPECT_STREQ(L"sentinel", AskForTip(header).lpszText) << "a name that fits has no tip";

    m_tools->m_name = L"A category whose name is much wider than its header";
    InvalidateRect(header.GetHwnd(), nullptr, FALSE);
    UpdateWindow(header.GetHwnd());
    EXPECT_TRUE(header.m_truncated);
    EXPECT_STREQ(m_tools->m_name.c_str(), AskForTip(header).lpszText);
    EXPECT_STREQ(L"sentinel", AskForTip(header, TTN_SHOW).lpszText);
}

TEST_F(ListWindowTest, LongRowNameIsCutAndShownWholeAsATip)
{
    auto& row = dynamic_cast<CShortcutItemWindow&>(*m_row);
    UpdateWindow(RowHwnd());
    EXPECT_FALSE(row.m_truncated);
    EXPECT_STREQ(L"sentinel", AskForTip(row).lpszText);

    m_tools->m_items[0]->m_name = L"An entry whose name is much wider than its row";
    InvalidateRect(RowHwnd(), nullptr, FALSE);
    UpdateWindow(RowHwnd());
    EXPECT_TRUE(row.m_truncated);
    EXPECT_STREQ(m_tools->m_items[0]->m_name.c_str(), AskForTip(row).lpszText);
}
