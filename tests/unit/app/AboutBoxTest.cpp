#include "app/AboutBox.h"
#include "resources/resource.h"
#include "tests/support/InProcessInput.h"
#include "toolkit/HyperLink.h"

#include <gtest/gtest.h>

using namespace test_support;

namespace
{
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Purple = RGB(128, 0, 128);
constexpr COLORREF Sentinel = RGB(255, 0, 255);
constexpr UINT LookIntervalMs = 20;
constexpr UINT EscapeTimeoutMs = 5000;

struct CLinkState
{
    bool isLink = false;
    COLORREF colour = Sentinel;
};

// What the test saw of one About box from inside its modal loop.
struct CAboutVisit
{
    bool clickEmail = false;
    bool found = false;
    CLinkState home;
    CLinkState email;
    bool emailHovered = false;
    COLORREF emailAfterClick = Sentinel;
    bool escapeIgnored = false;
};

// The visit in progress; timer procedures have no other way to it.
CAboutVisit* currentVisit = nullptr;

HWND FindAboutBox()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam)
        {
            wchar_t title[16] = L"";
            GetWindowTextW(hWnd, title, 16);
            if (!IsWindowVisible(hWnd) || lstrcmpW(title, L"About") != 0)
                return TRUE;
            *reinterpret_cast<HWND*>(lParam) = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

COLORREF AskColour(HWND dialog, HWND control)
{
    const HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, Sentinel);
    SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(control));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
}

CLinkState LinkState(HWND dialog, int id)
{
    const HWND control = GetDlgItem(dialog, id);
    CLinkState state;
    state.isLink = GetPropW(control, MAKEINTATOM(HyperlinkPropertyAtom)) != nullptr &&
                   (GetWindowLongPtrW(control, GWL_STYLE) & SS_NOTIFY);
    state.colour = AskColour(dialog, control);
    return state;
}

void ClickEmailLink(HWND dialog, CAboutVisit* visit)
{
    const HWND link = GetDlgItem(dialog, IDC_EMAIL_LINK);
    RECT rect = {};
    GetWindowRect(link, &rect);
    if (!MoveMouse({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}))
        return;
    visit->emailHovered = GetCapture() == link;
    if (PressLeftButton(link) && ReleaseLeftButton(link))
        visit->emailAfterClick = AskColour(dialog, link);
}

void SendEscape()
{
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = VK_ESCAPE;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void CALLBACK GiveUpOnEscape(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    currentVisit->escapeIgnored = true;
    EndDialog(FindAboutBox(), 0);
}

// Ticks in the box's modal loop until the box is up, then looks at it and presses Escape,
// which only the modal loop's dialog handling turns into IDCANCEL.
void CALLBACK InspectAboutBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    const HWND dialog = FindAboutBox();
    if (!dialog)
        return;
    KillTimer(nullptr, timer);
    CAboutVisit* visit = currentVisit;
    visit->found = true;
    visit->home = LinkState(dialog, IDC_HOME_PAGE_LINK);
    visit->email = LinkState(dialog, IDC_EMAIL_LINK);
    if (visit->clickEmail)
        ClickEmailLink(dialog, visit);
    SetForegroundWindow(dialog);
    SendEscape();
    SetTimer(nullptr, 0, EscapeTimeoutMs, GiveUpOnEscape);
}

// Timers of this thread that are still set when the box has gone.
void KillThreadTimers()
{
    MSG msg = {};
    while (PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE))
        KillTimer(nullptr, msg.wParam);
}

CAboutVisit VisitAboutBox(bool clickEmail)
{
    CAboutVisit visit;
    visit.clickEmail = clickEmail;
    currentVisit = &visit;
    const UINT_PTR inspect = SetTimer(nullptr, 0, LookIntervalMs, InspectAboutBox);
    ShowAboutBox(nullptr);
    KillTimer(nullptr, inspect);
    KillThreadTimers();
    currentVisit = nullptr;
    return visit;
}
} // namespace

TEST(AboutBox, ConvertsBothLinksClosesOnEscapeAndRemembersTheVisitedLink)
{
    const CAboutVisit first = VisitAboutBox(true);
    ASSERT_TRUE(first.found) << "no visible \"About\" window appeared";
    EXPECT_TRUE(first.home.isLink);
    EXPECT_TRUE(first.email.isLink);
    EXPECT_EQ(Blue, first.home.colour);
    EXPECT_EQ(Blue, first.email.colour);
    EXPECT_TRUE(first.emailHovered);
    EXPECT_EQ(Purple, first.emailAfterClick) << "a click on the e-mail link did not open it";
    EXPECT_FALSE(first.escapeIgnored);

    const CAboutVisit second = VisitAboutBox(false);
    ASSERT_TRUE(second.found);
    EXPECT_TRUE(second.home.isLink);
    EXPECT_TRUE(second.email.isLink);
    EXPECT_EQ(Blue, second.home.colour);
    EXPECT_EQ(Purple, second.email.colour) << "the visit was forgotten with the first box";
    EXPECT_FALSE(second.escapeIgnored);
}
