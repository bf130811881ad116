#include "tests/unit/toolkit/DialogTemplate.h"
#include "tests/support/InProcessInput.h"
#include "toolkit/Application.h"
#include "toolkit/HyperLink.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using toolkit_test::CDialogTemplate;
using namespace toolkit_test;
using namespace test_support;

namespace
{
constexpr WORD HomeId = 101;
constexpr WORD MailId = 102;
constexpr WORD PlainId = 103;
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Purple = RGB(128, 0, 128);
constexpr COLORREF Sentinel = RGB(255, 0, 255);
// Under Wine the shell hands "mailto:" to winebrowser, which finds no mailer and ends.
const wchar_t HomeTarget[] = L"mailto:home@pathmoor.example.org";
const wchar_t MailTarget[] = L"mailto:support@pathmoor.example.org";
const wchar_t PreviousProperty[] = L"PathmoorTestPrevious";
const wchar_t RecordProperty[] = L"PathmoorTestRecord";

const wchar_t* LinkProperty()
{
    return MAKEINTATOM(HyperlinkPropertyAtom);
}

WNDPROC ProcedureOf(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
}

HFONT FontOf(HWND hWnd)
{
    return reinterpret_cast<HFONT>(SendMessageW(hWnd, WM_GETFONT, 0, 0));
}

// What a window looked like when its own WM_DESTROY handling ran, after the link had
// undone its subclassing.
struct CDestroyRecord
{
    void Take(HWND hWnd)
    {
        seen = true;
        procedure = ProcedureOf(hWnd);
        property = GetPropW(hWnd, LinkProperty());
        font = FontOf(hWnd);
    }

    bool seen = false;
    WNDPROC procedure = reinterpret_cast<WNDPROC>(-1);
    HANDLE property = reinterpret_cast<HANDLE>(-1);
    HFONT font = reinterpret_cast<HFONT>(-1);
};

INT_PTR CALLBACK LinkDialogProc(HWND dialog, UINT msg, WPARAM, LPARAM lParam)
{
    if (msg == WM_INITDIALOG)
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    else if (msg == WM_DESTROY)
    {
        if (auto* record = reinterpret_cast<CDestroyRecord*>(GetWindowLongPtrW(dialog, DWLP_USER)))
            record->Take(dialog);
    }
    return FALSE;
}

// Installed under a link before its conversion, so it is what the link restores.
LRESULT CALLBACK RecordingStaticProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(hWnd, PreviousProperty));
    if (msg == WM_DESTROY)
    {
        static_cast<CDestroyRecord*>(GetPropW(hWnd, RecordProperty))->Take(hWnd);
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(hWnd, PreviousProperty);
        RemovePropW(hWnd, RecordProperty);
    }
    return CallWindowProcW(previous, hWnd, msg, wParam, lParam);
}

void InstallRecorder(HWND hWnd, CDestroyRecord* record)
{
    SetPropW(hWnd, RecordProperty, record);
    SetPropW(hWnd, PreviousProperty, reinterpret_cast<HANDLE>(ProcedureOf(hWnd)));
    SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingStaticProc));
}

// A visible topmost dialog with the statics "Home", "Mail" and "Plain".
HWND CreateLinkDialog(CDestroyRecord* record)
{
    CDialogTemplate dialogTemplate(WS_POPUP | WS_CAPTION, 160, 60, L"Links");
    dialogTemplate.AddControl(L"Static", HomeId, SS_LEFT, 10, 10, 60, 10, L"Home");
    dialogTemplate.AddControl(L"Static", MailId, SS_LEFT, 10, 26, 60, 10, L"Mail");
    dialogTemplate.AddControl(L"Static", PlainId, SS_LEFT, 10, 42, 60, 10, L"Plain");
    const HWND dialog = CreateDialogIndirectParamW(CApplication::Instance().GetInstanceHandle(),
                                                   dialogTemplate.Get(), nullptr, LinkDialogProc,
                                                   reinterpret_cast<LPARAM>(record));
    SetWindowPos(dialog, HWND_TOPMOST, 100, 100, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(dialog);
    return dialog;
}

struct CColourAnswer
{
    COLORREF text;
    LRESULT brush;
};

// What the dialog answers to WM_CTLCOLORSTATIC for a control, on a memory DC whose text
// colour starts as the sentinel.
CColourAnswer AskColour(HWND dialog, HWND control)
{
    const HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, Sentinel);
    const LRESULT brush = SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(control));
    const CColourAnswer answer = {GetTextColor(dc), brush};
    DeleteDC(dc);
    return answer;
}

LOGFONTW LogFontOf(HFONT font)
{
    LOGFONTW logFont = {};
    logFont.lfUnderline = 2;
    GetObjectW(font, sizeof(logFont), &logFont);
    return logFont;
}

POINT CentreOnScreen(HWND hWnd)
{
    RECT rect = {};
    GetWindowRect(hWnd, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// The parent's pixels on the line just above a child, one pixel wider on either side.
std::vector<COLORREF> LineAbove(HWND parent, HWND child)
{
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    std::vector<COLORREF> pixels;
    const HDC dc = GetDC(parent);
    for (int x = rect.left - 1; x <= rect.right; ++x)
        pixels.push_back(GetPixel(dc, x, rect.top - 1));
    ReleaseDC(parent, dc);
    return pixels;
}

class CCountingLink : public CHyperLink
{
public:
    void OnSelect() override { ++m_selects; }
    void OnDeselect() override { ++m_deselects; }

    int m_selects = 0;
    int m_deselects = 0;
};

class HyperLinkTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, m_dialog);
        // The cursor waits on the dialog's bare right part, away from the statics.
        ASSERT_TRUE(MoveMouse(Parking()));
    }

    void TearDown() override
    {
        if (IsWindow(m_dialog))
            DestroyWindow(m_dialog);
    }

    HWND Home() const { return GetDlgItem(m_dialog, HomeId); }
    HWND Mail() const { return GetDlgItem(m_dialog, MailId); }
    HWND Plain() const { return GetDlgItem(m_dialog, PlainId); }

    POINT Parking() const
    {
        RECT client = {};
        GetClientRect(m_dialog, &client);
        POINT point = {client.right - 10, client.bottom / 2};
        ClientToScreen(m_dialog, &point);
        return point;
    }

    void ConvertBoth()
    {
        ASSERT_TRUE(m_home.ConvertStaticToHyperlink(m_dialog, HomeId, HomeTarget));
        ASSERT_TRUE(m_mail.ConvertStaticToHyperlink(m_dialog, MailId, MailTarget));
    }

    // Home gains the focus once, framed above, and loses it again, the frame gone.
    void ExpectFocusRectangleComesAndGoes(const std::vector<COLORREF>& unfocused, int line)
    {
        SCOPED_TRACE(testing::Message() << "called from line " << line);
        SetFocus(Home());
        EXPECT_EQ(1, m_home.m_selects);
        EXPECT_NE(unfocused, LineAbove(m_dialog, Home())) << "no focus rectangle above the link";
        SetFocus(nullptr);
        EXPECT_EQ(1, m_home.m_deselects);
        EXPECT_EQ(unfocused, LineAbove(m_dialog, Home())) << "the focus rectangle stayed";
    }

    void ExpectColour(HWND control, COLORREF expected, int line)
    {
        SCOPED_TRACE(testing::Message() << "called from line " << line);
        EXPECT_EQ(expected, AskColour(m_dialog, control).text);
    }

    CDestroyRecord m_dialogRecord;
    HWND m_dialog = CreateLinkDialog(&m_dialogRecord);
    CCountingLink m_home;
    CCountingLink m_mail;
};
} // namespace

TEST(HyperlinkPropertyAtom, NamesTheLinkProperty)
{
    ASSERT_NE(0, HyperlinkPropertyAtom);
    wchar_t name[128] = L"sentinel";
    ASSERT_NE(0u, GlobalGetAtomNameW(HyperlinkPropertyAtom, name, 128));
    EXPECT_STREQ(L"_Hyperlink_Object_Pointer_\\{AFEED740-CC6D-47c5-831D-9848FD916EEF}", name);
}

TEST_F(HyperLinkTest, TwoLinksSubclassTheDialogOnce)
{
    const WNDPROC dialogProcedure = ProcedureOf(m_dialog);
    const WNDPROC staticProcedure = ProcedureOf(Home());

    ASSERT_TRUE(m_home.ConvertStaticToHyperlink(m_dialog, HomeId, HomeTarget));
    const WNDPROC subclassed = ProcedureOf(m_dialog);
    EXPECT_NE(dialogProcedure, subclassed);
    EXPECT_EQ(reinterpret_cast<HANDLE>(dialogProcedure), GetPropW(m_dialog, LinkProperty()));

    ASSERT_TRUE(m_mail.ConvertStaticToHyperlink(m_dialog, MailId, MailTarget));
    EXPECT_EQ(subclassed, ProcedureOf(m_dialog)) << "the second link subclassed the dialog again";
    EXPECT_EQ(reinterpret_cast<HANDLE>(dialogProcedure), GetPropW(m_dialog, LinkProperty()));

    const std::pair<HWND, CCountingLink*> links[] = {{Home(), &m_home}, {Mail(), &m_mail}};
    for (const auto& [control, link] : links)
    {
        EXPECT_EQ(static_cast<HANDLE>(link), GetPropW(control, LinkProperty()));
        EXPECT_TRUE(GetWindowLongPtrW(control, GWL_STYLE) & SS_NOTIFY);
        EXPECT_NE(staticProcedure, ProcedureOf(control));
        EXPECT_EQ(staticProcedure, link->m_staticWndProc);
        EXPECT_EQ(FontOf(control), link->m_normalFont);
    }
    EXPECT_EQ(HomeTarget, m_home.m_url);
    EXPECT_EQ(MailTarget, m_mail.m_url);
    EXPECT_EQ(nullptr, GetPropW(Plain(), LinkProperty()));
    EXPECT_EQ(staticProcedure, ProcedureOf(Plain()));
}

TEST_F(HyperLinkTest, ConversionRefusesWhatItCannotConvert)
{
    m_home.m_url = L"sentinel";
    EXPECT_FALSE(m_home.ConvertStaticToHyperlink(m_dialog, 999, HomeTarget));
    EXPECT_FALSE(m_home.ConvertStaticToHyperlink(m_dialog, HomeId, nullptr));
    EXPECT_EQ(L"sentinel", m_home.m_url);
    EXPECT_EQ(nullptr, GetPropW(Home(), LinkProperty()));

    ASSERT_TRUE(m_home.ConvertStaticToHyperlink(m_dialog, HomeId, HomeTarget));
    const WNDPROC linkProcedure = ProcedureOf(Home());
    EXPECT_FALSE(m_mail.ConvertStaticToHyperlink(m_dialog, HomeId, MailTarget))
        << "a link converted again would call itself for ever";
    EXPECT_EQ(static_cast<HANDLE>(&m_home), GetPropW(Home(), LinkProperty()));
    EXPECT_EQ(linkProcedure, ProcedureOf(Home()));
}

TEST_F(HyperLinkTest, LinkTextIsBlueUntilVisitedThenPurple)
{
    const CColourAnswer plainBefore = AskColour(m_dialog, Plain());
    const CColourAnswer homeBefore = AskColour(m_dialog, Home());
    ASSERT_NE(Blue, plainBefore.text);
    ConvertBoth();

    const CColourAnswer home = AskColour(m_dialog, Home());
    EXPECT_EQ(Blue, home.text);
    EXPECT_EQ(homeBefore.brush, home.brush) << "the brush is the dialog's own answer";
    ExpectColour(Mail(), Blue, __LINE__);
    const CColourAnswer plain = AskColour(m_dialog, Plain());
    EXPECT_EQ(plainBefore.text, plain.text) << "a static that is no link keeps its colour";
    EXPECT_EQ(plainBefore.brush, plain.brush);

    EXPECT_FALSE(m_mail.m_visited);
    m_mail.Navigate();
    EXPECT_TRUE(m_mail.m_visited) << "a visit counts whatever the shell made of it";
    ExpectColour(Mail(), Purple, __LINE__);
    ExpectColour(Home(), Blue, __LINE__);
}

TEST_F(HyperLinkTest, VisitedStaysWithTheObjectInALaterDialog)
{
    ConvertBoth();
    m_mail.Navigate();
    DestroyWindow(m_dialog);

    m_dialog = CreateLinkDialog(nullptr);
    ASSERT_NE(nullptr, m_dialog);
    const wchar_t other[] = L"mailto:other@pathmoor.example.org";
    ASSERT_TRUE(m_mail.ConvertStaticToHyperlink(m_dialog, MailId, other));
    ASSERT_TRUE(m_home.ConvertStaticToHyperlink(m_dialog, HomeId, HomeTarget));
    EXPECT_EQ(other, m_mail.m_url);
    EXPECT_TRUE(m_mail.m_visited);
    ExpectColour(Mail(), Purple, __LINE__);
    ExpectColour(Home(), Blue, __LINE__);
}

TEST_F(HyperLinkTest, HoverUnderlinesUntilTheMouseLeaves)
{
    ConvertBoth();
    const HFONT normal = FontOf(Home());
    ASSERT_NE(nullptr, normal);

    ASSERT_TRUE(MoveMouse(CentreOnScreen(Home())));
    EXPECT_TRUE(m_home.m_hover);
    EXPECT_EQ(Home(), GetCapture());
    // Wine's desktop may bounce the cursor off the link and back on the way in.
    EXPECT_GE(m_home.m_selects, 1);
    EXPECT_EQ(m_home.m_selects, m_home.m_deselects + 1);
    const int selects = m_home.m_selects;
    const HFONT hovered = FontOf(Home());
    EXPECT_NE(normal, hovered);
    const LOGFONTW normalFont = LogFontOf(normal);
    const LOGFONTW underlined = LogFontOf(hovered);
    EXPECT_EQ(TRUE, underlined.lfUnderline);
    EXPECT_STREQ(normalFont.lfFaceName, underlined.lfFaceName);
    EXPECT_EQ(normalFont.lfHeight, underlined.lfHeight);

    POINT nearby = CentreOnScreen(Home());
    ++nearby.x;
    ASSERT_TRUE(MoveMouse(nearby));
    EXPECT_EQ(selects, m_home.m_selects) << "moving within the link changes nothing";
    EXPECT_EQ(hovered, FontOf(Home()));

    ASSERT_TRUE(MoveMouse(Parking()));
    EXPECT_FALSE(m_home.m_hover);
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(m_home.m_selects, m_home.m_deselects);
    EXPECT_EQ(normal, FontOf(Home()));
    EXPECT_FALSE(m_mail.m_hover);
}

TEST_F(HyperLinkTest, ClickOpensTheLink)
{
    ConvertBoth();
    ASSERT_TRUE(MoveMouse(CentreOnScreen(Mail())));
    ASSERT_TRUE(PressLeftButton(Mail()));
    EXPECT_FALSE(m_mail.m_visited);
    ASSERT_TRUE(ReleaseLeftButton(Mail()));
    EXPECT_TRUE(m_mail.m_visited);
    EXPECT_FALSE(m_home.m_visited);
}

TEST_F(HyperLinkTest, SetCursorGivesTheHand)
{
    ConvertBoth();
    SetCursor(LoadCursorW(nullptr, IDC_CROSS));
    EXPECT_EQ(TRUE, SendMessageW(Home(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Home()),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(LoadCursorW(nullptr, IDC_HAND), GetCursor());
}

TEST_F(HyperLinkTest, SpaceKeyUpOpensTheLinkAndEnterDoesNot)
{
    ConvertBoth();
    SetForegroundWindow(m_dialog);
    SetFocus(Mail());
    ASSERT_EQ(Mail(), GetFocus());

    ASSERT_TRUE(PressKey(VK_RETURN, Mail()));
    EXPECT_FALSE(m_mail.m_visited);
    ASSERT_TRUE(PressKey(VK_TAB, Mail()));
    EXPECT_FALSE(m_mail.m_visited);
    ASSERT_TRUE(PressKey(VK_SPACE, Mail()));
    EXPECT_TRUE(m_mail.m_visited);
    EXPECT_FALSE(m_home.m_visited);
}

TEST_F(HyperLinkTest, FocusCallsTheHooksAndFramesTheLink)
{
    // Showing the dialog gave its first control, Home, the focus.
    SetForegroundWindow(m_dialog);
    SetFocus(nullptr);
    ConvertBoth();
    UpdateWindow(m_dialog);
    const std::vector<COLORREF> unfocused = LineAbove(m_dialog, Home());

    ExpectFocusRectangleComesAndGoes(unfocused, __LINE__);
}

TEST_F(HyperLinkTest, FocusHeldBeforeTheConversionLeavesWithoutHooksOrFrame)
{
    SetForegroundWindow(m_dialog);
    SetFocus(Home());
    ASSERT_EQ(Home(), GetFocus());
    UpdateWindow(m_dialog);
    const std::vector<COLORREF> unfocused = LineAbove(m_dialog, Home());
    ConvertBoth();

    SetFocus(nullptr);
    EXPECT_EQ(0, m_home.m_deselects) << "deselected without having been selected";
    EXPECT_EQ(unfocused, LineAbove(m_dialog, Home())) << "a frame appeared at losing the focus";

    ExpectFocusRectangleComesAndGoes(unfocused, __LINE__);
}

TEST_F(HyperLinkTest, DestroyRestoresProceduresAndTheLastLinkDeletesTheFont)
{
    const WNDPROC dialogProcedure = ProcedureOf(m_dialog);
    CDestroyRecord homeRecord;
    CDestroyRecord mailRecord;
    InstallRecorder(Home(), &homeRecord);
    InstallRecorder(Mail(), &mailRecord);
    ConvertBoth();
    const HFONT normal = FontOf(Home());

    // The shared underline font shows while the mouse is over a link.
    ASSERT_TRUE(MoveMouse(CentreOnScreen(Home())));
    const HFONT underline = FontOf(Home());
    ASSERT_NE(normal, underline);
    ASSERT_TRUE(MoveMouse(Parking()));
    ASSERT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(underline));

    DestroyWindow(Home());
    ASSERT_TRUE(homeRecord.seen);
    EXPECT_EQ(RecordingStaticProc, homeRecord.procedure);
    EXPECT_EQ(nullptr, homeRecord.property);
    EXPECT_EQ(normal, homeRecord.font);
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(underline))
        << "the other link still uses the font";

    DestroyWindow(m_dialog);
    ASSERT_TRUE(m_dialogRecord.seen);
    EXPECT_EQ(dialogProcedure, m_dialogRecord.procedure);
    EXPECT_EQ(nullptr, m_dialogRecord.property);
    ASSERT_TRUE(mailRecord.seen);
    EXPECT_EQ(RecordingStaticProc, mailRecord.procedure);
    EXPECT_EQ(nullptr, mailRecord.property);
    EXPECT_EQ(normal, mailRecord.font);
    EXPECT_EQ(0u, GetObjectType(underline)) << "the last link left the font behind";
}

TEST_F(HyperLinkTest, LinkDestroyedWhileHoveredHoversAgainInTheNextDialog)
{
    ConvertBoth();
    ASSERT_TRUE(MoveMouse(CentreOnScreen(Home())));
    ASSERT_TRUE(m_home.m_hover);
    DestroyWindow(m_dialog);
    EXPECT_FALSE(m_home.m_hover);

    m_dialog = CreateLinkDialog(nullptr);
    ConvertBoth();
    ASSERT_TRUE(MoveMouse(Parking()));
    const HFONT normal = FontOf(Home());
    ASSERT_TRUE(MoveMouse(CentreOnScreen(Home())));
    EXPECT_TRUE(m_home.m_hover);
    EXPECT_NE(normal, FontOf(Home())) << "the new link is not underlined";
    EXPECT_EQ(Home(), GetCapture());
}
