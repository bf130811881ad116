#include "resources/resource.h"
#include "tests/support/InProcessInput.h"
#include "toolkit/Application.h"
#include "toolkit/FlatButton.h"

#include <gtest/gtest.h>

#include <vector>

using namespace test_support;

namespace
{
constexpr COLORREF Sentinel = RGB(255, 0, 255);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Grey = RGB(128, 128, 128);
constexpr int ButtonWidth = 26;
constexpr int ButtonHeight = 20;
constexpr int IconSize = 16;
// Where the cursor waits between tests: the host's bare area, away from the button.
constexpr POINT Parking = {250, 150};
const wchar_t HostClassName[] = L"PathmoorFlatButtonHost";

// The clicks the host received, whatever loop dispatched them.
std::vector<MSG> receivedClicks;

// A parent that does what the toolbar does for its buttons: it hands WM_DRAWITEM to the
// window it names.
LRESULT CALLBACK HostProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DRAWITEM)
    {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return SendMessageW(item->hwndItem, WM_DRAWITEM, wParam, lParam);
    }
    if (msg == WM_FLATBUTTONCLICK)
    {
        MSG click = {hWnd, msg, wParam, lParam, 0, {0, 0}};
        receivedClicks.push_back(click);
        return 0;
    }
    return DefWindowProcW(hWnd, msg, wParam, lParam);
}

HWND CreateHost()
{
    static const bool registered = []
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = HostProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        windowClass.lpszClassName = HostClassName;
        return RegisterClassW(&windowClass) != 0;
    }();
    (void)registered;
    const HWND host =
        CreateWindowExW(WS_EX_TOPMOST, HostClassName, L"flat host", WS_POPUP, 100, 100, 300, 200,
                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(host, SW_SHOW);
    UpdateWindow(host);
    return host;
}

// Covers the button with the sentinel colour and lets it paint itself over it.
void Repaint(HWND button)
{
    const HDC dc = GetDC(button);
    const HBRUSH brush = CreateSolidBrush(Sentinel);
    const RECT client = {0, 0, ButtonWidth, ButtonHeight};
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    ReleaseDC(button, dc);
    InvalidateRect(button, nullptr, FALSE);
    UpdateWindow(button);
}

COLORREF PixelOf(HWND hWnd, int x, int y)
{
    const HDC dc = GetDC(hWnd);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(hWnd, dc);
    return colour;
}

// The frame's corners as they are drawn: the top-left one by the first pen, the
// bottom-right one by the second. Without a frame both show the face.
void ExpectCorners(HWND button, COLORREF topLeft, COLORREF bottomRight, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    Repaint(button);
    EXPECT_EQ(topLeft, PixelOf(button, 0, 0));
    EXPECT_EQ(bottomRight, PixelOf(button, ButtonWidth - 1, ButtonHeight - 1));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), PixelOf(button, 1, 1)) << "inside the frame";
}

// The icon as DrawStateW puts it on the button face, 16 by 16 pixels row by row.
std::vector<COLORREF> ReferenceIcon(HICON icon)
{
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, IconSize, IconSize);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT rect = {0, 0, IconSize, IconSize};
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, 0, 0, 0, 0, DST_ICON);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < IconSize; ++y)
    {
        for (int x = 0; x < IconSize; ++x)
            pixels.push_back(GetPixel(dc, x, y));
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

class FlatButtonTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // The cursor rests on the host before the button exists, so that the button
        // hears of the mouse only from the moves of the test.
        ASSERT_NE(nullptr, m_host);
        ASSERT_TRUE(MoveMouse(ScreenPoint(m_host, Parking.x, Parking.y)));
        const RECT rect = {20, 30, 20 + ButtonWidth, 30 + ButtonHeight};
        ASSERT_TRUE(m_button.Create(m_host, rect, IDI_ADD_GROUP, L"Add group"));
        receivedClicks.clear();
        UpdateWindow(Button());
    }

    void TearDown() override
    {
        if (GetAsyncKeyState(VK_LBUTTON) & 0x8000)
            ReleaseLeftButton(GetCapture() ? GetCapture() : m_host);
        DestroyWindow(m_host);
    }

    HWND Button() const { return m_button.GetHwnd(); }

    bool MoveOntoButton(int x = 13, int y = 10) { return MoveMouse(ScreenPoint(Button(), x, y)); }

    // Onto the host's bare area.
    bool MoveOffButton() { return MoveMouse(ScreenPoint(m_host, 200, 100)); }

    // The WM_FLATBUTTONCLICK messages the host received since SetUp, once all posted so
    // far are in.
    std::vector<MSG> CollectClicks()
    {
        EXPECT_TRUE(FlushPostedMessages(m_host));
        return receivedClicks;
    }

    HWND m_host = CreateHost();
    CFlatButton m_button;
};
} // namespace

TEST_F(FlatButtonTest, CreateMakesAnOwnerDrawnButtonNamedByItsTooltip)
{
    wchar_t className[32] = L"sentinel";
    GetClassNameW(Button(), className, 32);
    EXPECT_STREQ(L"Button", className);
    const LONG_PTR style = GetWindowLongPtrW(Button(), GWL_STYLE);
    EXPECT_EQ(BS_OWNERDRAW, style & BS_TYPEMASK) << "style " << std::hex << style;
    EXPECT_TRUE(style & WS_VISIBLE);
    wchar_t text[32] = L"sentinel";
    GetWindowTextW(Button(), text, 32);
    EXPECT_STREQ(L"Add group", text);
    EXPECT_EQ(L"Add group", m_button.m_tooltipText);
    EXPECT_EQ(m_host, m_button.m_notifyWindow);
    EXPECT_NE(nullptr, m_button.m_icon);
    EXPECT_EQ(&m_button, CApplication::Instance().FindWindowObject(Button()));
    EXPECT_TRUE(m_button.IsEnabled());
    RECT rect = {-1, -1, -1, -1};
    GetWindowRect(Button(), &rect);
    EXPECT_EQ(ButtonWidth, rect.right - rect.left);
    EXPECT_EQ(ButtonHeight, rect.bottom - rect.top);
}

TEST(FlatButtonCreate, FailsWithoutAUsableParent)
{
    CFlatButton button;
    const HWND gone = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    DestroyWindow(gone);
    const RECT rect = {0, 0, ButtonWidth, ButtonHeight};
    EXPECT_FALSE(button.Create(gone, rect, IDI_ADD_GROUP, L"Add group"));
    EXPECT_EQ(nullptr, button.GetHwnd());
}

TEST_F(FlatButtonTest, MovingOntoTheButtonDrawsTheRaisedFrame)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    ExpectCorners(Button(), face, face, __LINE__);
    EXPECT_FALSE(m_button.m_hot);

    ASSERT_TRUE(MoveOntoButton());
    EXPECT_TRUE(m_button.m_hot);
    EXPECT_FALSE(m_button.m_pressed);
    EXPECT_EQ(Button(), GetCapture());
    ExpectCorners(Button(), White, Grey, __LINE__);

    // Further moves over the button keep it hot and keep the capture.
    ASSERT_TRUE(MoveOntoButton(3, 4));
    EXPECT_TRUE(m_button.m_hot);
    EXPECT_EQ(Button(), GetCapture());
}

TEST_F(FlatButtonTest, PressingDrawsTheSunkenFrame)
{
    ASSERT_TRUE(MoveOntoButton());
    ASSERT_TRUE(PressLeftButton(Button()));
    EXPECT_TRUE(m_button.m_pressed);
    EXPECT_TRUE(m_button.m_hot) << "the system button taking the capture again keeps it hot";
    EXPECT_EQ(Button(), GetCapture());
    ExpectCorners(Button(), Grey, White, __LINE__);
}

TEST_F(FlatButtonTest, LeavingRemovesTheFrameAndReleasingOutsidePostsNothing)
{
    ASSERT_TRUE(MoveOntoButton());
    ASSERT_TRUE(PressLeftButton(Button()));
    ASSERT_TRUE(MoveOffButton());
    EXPECT_FALSE(m_button.m_hot);
    EXPECT_FALSE(m_button.m_pressed);
    EXPECT_NE(Button(), GetCapture());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    ExpectCorners(Button(), face, face, __LINE__);

    ASSERT_TRUE(ReleaseLeftButton(m_host));
    EXPECT_TRUE(CollectClicks().empty());
}

TEST_F(FlatButtonTest, LeavingWithoutPressingRemovesTheFrame)
{
    ASSERT_TRUE(MoveOntoButton());
    ASSERT_TRUE(MoveOffButton());
    EXPECT_FALSE(m_button.m_hot);
    EXPECT_EQ(nullptr, GetCapture());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    ExpectCorners(Button(), face, face, __LINE__);
}

TEST_F(FlatButtonTest, ClickPostsOneMessageNamingTheButton)
{
    ASSERT_TRUE(MoveOntoButton());
    ASSERT_TRUE(PressLeftButton(Button()));
    ASSERT_TRUE(ReleaseLeftButton(Button()));
    EXPECT_FALSE(m_button.m_pressed);

    const std::vector<MSG> clicks = CollectClicks();
    ASSERT_EQ(1u, clicks.size());
    EXPECT_EQ(m_host, clicks[0].hwnd);
    EXPECT_EQ(reinterpret_cast<WPARAM>(Button()), clicks[0].wParam);
    EXPECT_EQ(0, clicks[0].lParam);
}

TEST_F(FlatButtonTest, DoubleClickPostsTwoClicks)
{
    ASSERT_TRUE(GetClassLongPtrW(Button(), GCL_STYLE) & CS_DBLCLKS)
        << "the second press would not arrive as WM_LBUTTONDBLCLK";
    ASSERT_TRUE(MoveOntoButton());
    ASSERT_TRUE(PressLeftButton(Button()));
    ASSERT_TRUE(ReleaseLeftButton(Button()));
    ASSERT_TRUE(PressLeftButton(Button(), WM_LBUTTONDBLCLK));
    EXPECT_FALSE(m_button.m_pressed);
    ASSERT_TRUE(ReleaseLeftButton(Button()));

    const std::vector<MSG> clicks = CollectClicks();
    ASSERT_EQ(2u, clicks.size());
    for (const MSG& click : clicks)
        EXPECT_EQ(reinterpret_cast<WPARAM>(Button()), click.wParam);
}

TEST_F(FlatButtonTest, IconIsDrawnInTheCentre)
{
    const std::vector<COLORREF> icon = ReferenceIcon(m_button.m_icon);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    ASSERT_NE(std::vector<COLORREF>(icon.size(), face), icon) << "the icon shows nothing";

    Repaint(Button());
    const int left = ButtonWidth / 2 - IconSize / 2;
    const int top = ButtonHeight / 2 - IconSize / 2;
    for (int y = 0; y < ButtonHeight; ++y)
    {
        for (int x = 0; x < ButtonWidth; ++x)
        {
            const bool inIcon = x >= left && x < left + IconSize && y >= top && y < top + IconSize;
            const COLORREF expected =
                inIcon ? icon[static_cast<size_t>((y - top) * IconSize + (x - left))] : face;
            ASSERT_EQ(expected, PixelOf(Button(), x, y)) << "at (" << x << ", " << y << ")";
        }
    }
}

TEST_F(FlatButtonTest, TooltipRequestGetsTheTextAndRaisesTheTip)
{
    // Without an owner: an owned window always stays above its owner.
    const HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP, 0, 0, 0, 0,
                                     nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, tip);
    SetWindowPos(m_host, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    auto isAbove = [](HWND upper, HWND lower)
    {
        for (HWND window = GetWindow(upper, GW_HWNDNEXT); window;
             window = GetWindow(window, GW_HWNDNEXT))
        {
            if (window == lower)
                return true;
        }
        return false;
    };
    ASSERT_TRUE(isAbove(m_host, tip));

    wchar_t sentinel[] = L"sentinel";
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = tip;
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(Button());
    info.hdr.code = TTN_SHOW;
    info.lpszText = sentinel;
    LRESULT result = 0;
    m_button.OnReflectNotify(&info.hdr, &result);
    EXPECT_EQ(sentinel, info.lpszText) << "only TTN_GETDISPINFOW is answered";
    EXPECT_TRUE(isAbove(m_host, tip));

    info.hdr.code = TTN_GETDISPINFOW;
    m_button.OnReflectNotify(&info.hdr, &result);
    ASSERT_NE(nullptr, info.lpszText);
    EXPECT_STREQ(L"Add group", info.lpszText);
    EXPECT_TRUE(isAbove(tip, m_host));
    DestroyWindow(tip);
}
