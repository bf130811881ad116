#include "app/ShortcutsToolbar.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CategorizedList.h"
#include "catalogue/Category.h"
#include "resources/resource.h"
#include "tests/support/unit/MainWindowTest.h"
#include "toolkit/Application.h"
#include "views/CategoryItemWindow.h"

#include <gtest/gtest.h>

#include <string>

using test_support::CMainWindowTest;

namespace
{
constexpr COLORREF Sentinel = RGB(255, 0, 255);
constexpr int TileWidth = 20;
constexpr int TileHeight = 22;
// Below the 20-pixel buttons only the tiles show.
constexpr int TileRow = 21;
constexpr UINT LookIntervalMs = 20;
constexpr DWORD DialogTimeoutMs = 5000;
const wchar_t HostClassName[] = L"PathmoorToolbarHost";

HWND CreateHost(int width)
{
    static const bool registered = []
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = HostClassName;
        return RegisterClassW(&windowClass) != 0;
    }();
    (void)registered;
    const HWND host = CreateWindowExW(WS_EX_TOPMOST, HostClassName, L"toolbar host",
                                      WS_POPUP | WS_CLIPCHILDREN, 100, 100, width, TileHeight,
                                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(host, SW_SHOW);
    return host;
}

COLORREF PixelOf(HWND hWnd, int x, int y)
{
    const HDC dc = GetDC(hWnd);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(hWnd, dc);
    return colour;
}

// Column x of bitmap 501 in the row the tiles are checked in.
COLORREF TilePixel(int x)
{
    const HBITMAP bitmap = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(501));
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF colour = GetPixel(dc, x, TileRow);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return colour;
}

void ExpectTileColumn(HWND toolbar, int x, int tileX, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line << ", x " << x);
    const COLORREF expected = TilePixel(tileX);
    ASSERT_NE(Sentinel, expected);
    EXPECT_EQ(expected, PixelOf(toolbar, x, TileRow));
}

class ShortcutsToolbarTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_NE(nullptr, m_host); }
    void TearDown() override { DestroyWindow(m_host); }

    void CreateToolbar(int width)
    {
        ASSERT_TRUE(m_toolbar.Create(RECT{0, 0, width, TileHeight}, m_host));
        UpdateWindow(m_host);
    }

    HWND m_host = CreateHost(300);
    CShortcutsToolbar m_toolbar;
};

// A visible modal dialog of this thread, as the dialog's own loop shows it.
HWND FindDialog()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam)
        {
            wchar_t className[16] = L"";
            GetClassNameW(hWnd, className, 16);
            if (!IsWindowVisible(hWnd) || lstrcmpW(className, L"#32770") != 0)
                return TRUE;
            *reinterpret_cast<HWND*>(lParam) = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// What a dialog opened by a button click looked like, and how it was ended.
struct CDialogVisit
{
    std::wstring typedName;
    int endCommand = IDCANCEL;
    bool found = false;
    std::wstring title = L"(sentinel)";
    std::wstring group = L"(sentinel)";
};

CDialogVisit* currentVisit = nullptr;

std::wstring ControlText(HWND dialog, int id)
{
    wchar_t text[256] = L"";
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    const HWND dialog = FindDialog();
    if (!dialog)
        return;
    KillTimer(nullptr, timer);
    CDialogVisit* visit = currentVisit;
    visit->found = true;
    wchar_t title[64] = L"";
    GetWindowTextW(dialog, title, 64);
    visit->title = title;
    if (GetDlgItem(dialog, IDC_GROUP_COMBO))
        visit->group = ControlText(dialog, IDC_GROUP_COMBO);
    if (!visit->typedName.empty())
        SetDlgItemTextW(dialog, IDC_CATEGORY_NAME_EDIT, visit->typedName.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(visit->endCommand, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, visit->endCommand)));
}

void CALLBACK GiveUp(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    PostQuitMessage(1);
}

// Posts the button's click to the toolbar and answers the dialog it opens from inside
// that dialog's modal loop.
CDialogVisit ClickButton(HWND toolbar, const CFlatButton& button, CDialogVisit visit)
{
    currentVisit = &visit;
    const UINT_PTR look = SetTimer(nullptr, 0, LookIntervalMs, AnswerDialog);
    const UINT_PTR giveUp = SetTimer(nullptr, 0, DialogTimeoutMs, GiveUp);
    SendMessageW(toolbar, WM_FLATBUTTONCLICK, reinterpret_cast<WPARAM>(button.GetHwnd()), 0);
    KillTimer(nullptr, look);
    KillTimer(nullptr, giveUp);
    currentVisit = nullptr;
    return visit;
}

class ToolbarInMainWindowTest : public CMainWindowTest
{
protected:
    void SetUp() override
    {
        CMainWindowTest::SetUp();
        m_toolbar = FindWindowExW(m_mainWnd->GetHwnd(), nullptr, L"ShortcutsToolBar", nullptr);
        ASSERT_NE(nullptr, m_toolbar);
        m_object =
            static_cast<CShortcutsToolbar*>(CApplication::Instance().FindWindowObject(m_toolbar));
        ASSERT_NE(nullptr, m_object);
    }

    HWND HeaderOf(ListKind kind, const std::wstring& name)
    {
        CCategorizedList& list = m_catalogue->GetList(kind);
        const int index = list.FindCategoryIndex(name);
        return index < 0 ? nullptr : list.m_categories[index]->m_window->GetHwnd();
    }

    HWND m_toolbar = nullptr;
    CShortcutsToolbar* m_object = nullptr;
};
} // namespace

TEST_F(ShortcutsToolbarTest, ToolbarWidth41DrawsThreeTiles)
{
    CreateToolbar(41);
    const HDC dc = GetDC(m_toolbar.GetHwnd());
    const HBRUSH brush = CreateSolidBrush(Sentinel);
    const RECT all = {0, 0, 41, TileHeight};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    ReleaseDC(m_toolbar.GetHwnd(), dc);
    InvalidateRect(m_toolbar.GetHwnd(), nullptr, FALSE);
    UpdateWindow(m_toolbar.GetHwnd());

    ExpectTileColumn(m_toolbar.GetHwnd(), 0, 0, __LINE__);
    ExpectTileColumn(m_toolbar.GetHwnd(), TileWidth - 1, TileWidth - 1, __LINE__);
    ExpectTileColumn(m_toolbar.GetHwnd(), TileWidth, 0, __LINE__);
    // The third tile, cut by the edge after its first column.
    ExpectTileColumn(m_toolbar.GetHwnd(), 2 * TileWidth, 0, __LINE__);
}

TEST_F(ShortcutsToolbarTest, ButtonsAndABorderlessSearchBoxWithItsCue)
{
    CreateToolbar(300);
    ASSERT_TRUE(m_toolbar.m_addGroupButton && m_toolbar.m_addItemButton);
    EXPECT_EQ(0, m_toolbar.m_addGroupButton->GetLeft());
    EXPECT_EQ(26, m_toolbar.m_addItemButton->GetLeft());
    EXPECT_EQ(52, m_toolbar.m_addItemButton->GetRight());
    EXPECT_EQ(L"Add group", m_toolbar.m_addGroupButton->GetText());
    EXPECT_EQ(L"Add item", m_toolbar.m_addItemButton->GetText());

    const HWND box = m_toolbar.m_searchEdit.GetHwnd();
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(57, m_toolbar.m_searchEdit.GetLeft());
    EXPECT_EQ(2, m_toolbar.m_searchEdit.GetTop());
    EXPECT_EQ(160, m_toolbar.m_searchEdit.GetWidth());
    EXPECT_EQ(18, m_toolbar.m_searchEdit.GetHeight());
    EXPECT_EQ(0, GetWindowLongPtrW(box, GWL_STYLE) & WS_BORDER);
    EXPECT_EQ(0, GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

    wchar_t cue[32] = L"sentinel";
    EXPECT_TRUE(SendMessageW(box, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 32));
    EXPECT_STREQ(L"Enter item name", cue);

    LOGFONTW font = {};
    font.lfHeight = -1;
    const auto hFont = reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0));
    ASSERT_NE(nullptr, hFont);
    ASSERT_NE(0, GetObjectW(hFont, sizeof(font), &font));
    EXPECT_EQ(15, font.lfHeight);
    EXPECT_STREQ(L"Microsoft Sans Serif", font.lfFaceName);
}

TEST_F(ShortcutsToolbarTest, TooltipRequestForAButtonGetsItsName)
{
    CreateToolbar(300);
    EXPECT_EQ(2, SendMessageW(m_toolbar.m_toolTip.GetHwnd(), TTM_GETTOOLCOUNT, 0, 0));
    for (const CFlatButton* button :
         {m_toolbar.m_addGroupButton.get(), m_toolbar.m_addItemButton.get()})
    {
        NMTTDISPINFOW info = {};
        info.hdr.hwndFrom = m_toolbar.m_toolTip.GetHwnd();
        info.hdr.code = TTN_GETDISPINFOW;
        info.lParam = reinterpret_cast<LPARAM>(button->GetHwnd());
        info.lpszText = const_cast<LPWSTR>(L"sentinel");
        SendMessageW(m_toolbar.GetHwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_STREQ(button->m_tooltipText.c_str(), info.lpszText);
    }
}

TEST_F(ToolbarInMainWindowTest, TypingSetsTheSearchTextAndRepaintsPageAndPaneRows)
{
    m_catalogue->m_applications.AddCategory(L"Toolbar apps");
    m_catalogue->m_folders.AddCategory(L"Toolbar folders");
    m_mainWnd->LayoutPages();
    const HWND pageHeader = HeaderOf(ListKind::Applications, L"Toolbar apps");
    const HWND paneHeader = HeaderOf(ListKind::Folders, L"Toolbar folders");
    ASSERT_TRUE(pageHeader && paneHeader);
    const HWND box = m_object->m_searchEdit.GetHwnd();

    for (const wchar_t* text : {L"a", L"ap", L""})
    {
        SCOPED_TRACE(testing::Message()
                     << "text \"" << std::string(text, text + lstrlenW(text)) << "\"");
        ValidateRect(pageHeader, nullptr);
        ValidateRect(paneHeader, nullptr);
        m_mainWnd->m_searchText = L"sentinel";
        SetWindowTextW(box, text);
        EXPECT_EQ(std::wstring(text), m_mainWnd->m_searchText);
        EXPECT_TRUE(GetUpdateRect(pageHeader, nullptr, FALSE)) << "the page was not repainted";
        EXPECT_TRUE(GetUpdateRect(paneHeader, nullptr, FALSE)) << "the pane was not repainted";
    }
}

TEST_F(ToolbarInMainWindowTest, AddGroupAddsToTheVisiblePageOnly)
{
    m_mainWnd->OnTabChanged(1);
    CDialogVisit visit;
    visit.typedName = L"Toolbar links";
    visit.endCommand = IDOK;
    visit = ClickButton(m_toolbar, *m_object->m_addGroupButton, visit);
    ASSERT_TRUE(visit.found) << "no dialog opened";
    EXPECT_NE(nullptr, HeaderOf(ListKind::Shortcuts, L"Toolbar links"));
    EXPECT_EQ(nullptr, HeaderOf(ListKind::Applications, L"Toolbar links"));
    EXPECT_EQ(nullptr, HeaderOf(ListKind::Folders, L"Toolbar links"));

    m_mainWnd->OnTabChanged(0);
    visit.typedName = L"Toolbar tools";
    visit = ClickButton(m_toolbar, *m_object->m_addGroupButton, visit);
    ASSERT_TRUE(visit.found) << "no dialog opened";
    EXPECT_NE(nullptr, HeaderOf(ListKind::Applications, L"Toolbar tools"));
    EXPECT_EQ(nullptr, HeaderOf(ListKind::Shortcuts, L"Toolbar tools"));
}

TEST_F(ToolbarInMainWindowTest, AddItemOpensTheApplicationEditorWithNoGroupChosen)
{
    m_catalogue->m_applications.AddCategory(L"Toolbar apps");
    CDialogVisit visit;
    visit = ClickButton(m_toolbar, *m_object->m_addItemButton, visit);
    ASSERT_TRUE(visit.found) << "no dialog opened";
    EXPECT_EQ(L"Add application", visit.title);
    EXPECT_EQ(L"", visit.group);
}
