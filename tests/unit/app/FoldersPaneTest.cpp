#include "app/FoldersPane.h"

#include "app/PageWindow.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Category.h"
#include "catalogue/FolderItem.h"
#include "resources/resource.h"
#include "tests/support/unit/MainWindowTest.h"
#include "tests/support/unit/HostWindow.h"
#include "tests/support/InProcessInput.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using test_support::CMainWindowTest;
using namespace test_support;

namespace
{
// While it lives, a thread timer hands the first window of the class that this thread
// shows to the action, once; the modal loops of menus and dialogs dispatch it.
class CWindowCatcher
{
public:
    CWindowCatcher(const wchar_t* className, std::function<void(HWND)> action)
        : m_className(className), m_action(std::move(action)),
          m_timer(SetTimer(nullptr, 0, 20, &OnTimer))
    {
        s_active = this;
    }
    ~CWindowCatcher()
    {
        KillTimer(nullptr, m_timer);
        s_active = nullptr;
    }
    CWindowCatcher(const CWindowCatcher&) = delete;
    CWindowCatcher& operator=(const CWindowCatcher&) = delete;

    bool m_caught = false;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_active && !s_active->m_caught)
            EnumThreadWindows(GetCurrentThreadId(), &Catch, 0);
    }
    static BOOL CALLBACK Catch(HWND hWnd, LPARAM)
    {
        wchar_t name[64] = {};
        GetClassNameW(hWnd, name, 64);
        if (!IsWindowVisible(hWnd) || s_active->m_className != name)
            return TRUE;
        s_active->m_caught = true;
        s_active->m_action(hWnd);
        return FALSE;
    }

    static CWindowCatcher* s_active;
    std::wstring m_className;
    std::function<void(HWND)> m_action;
    UINT_PTR m_timer;
};

CWindowCatcher* CWindowCatcher::s_active = nullptr;

// A folders pane of its own on a host window of the test, over the main window's folders
// list, so that it is seen on screen.
class FoldersPane : public CMainWindowTest
{
protected:
    void SetUp() override
    {
        CMainWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        m_host = std::make_unique<CHostWindow>(RECT{100, 100, 400, 400});
        m_pane = std::make_unique<CFoldersPane>(&m_catalogue->m_folders);
        ASSERT_TRUE(m_pane->Create(RECT{10, 10, 150, 250}, m_host->GetHwnd()));
        UpdateWindow(m_pane->GetHwnd());
    }

    void TearDown() override
    {
        m_pane.reset();
        m_host.reset();
        CMainWindowTest::TearDown();
    }

    // A folder row in the pane, shown at (0, 0).
    HWND AddRow(const std::wstring& name, const std::wstring& path)
    {
        CCategorizedList& list = m_catalogue->m_folders;
        const HWND pane = list.m_parentWindow;
        list.m_parentWindow = m_pane->GetHwnd();
        CCategory* category = list.AddCategory(L"Places");
        list.m_parentWindow = pane;
        auto item = std::make_unique<CFolderItem>(name, category, path, m_pane->GetHwnd());
        const HWND row = item->m_window->GetHwnd();
        category->InsertItem(std::move(item));
        PlaceWindow(row, 0, 0);
        return row;
    }

    std::unique_ptr<CHostWindow> m_host;
    std::unique_ptr<CFoldersPane> m_pane;
};
} // namespace

TEST_F(FoldersPane, BackgroundIsThePageColour)
{
    const std::vector<COLORREF> pixels = CaptureClient(m_pane->GetHwnd());
    ASSERT_EQ(140u * 240u, pixels.size());
    for (size_t i : {size_t(0), size_t(139), pixels.size() / 2, pixels.size() - 1})
        EXPECT_EQ(RGB(199, 206, 226), pixels[i]) << "pixel " << i << ": " << std::hex << pixels[i];
}

TEST_F(FoldersPane, RowTooltipAsksTheRowThroughThePane)
{
    const HWND row = AddRow(L"Work", L"C:\\users\\me\\Work");
    ASSERT_TRUE(m_pane->m_toolTip.GetHwnd() != nullptr);
    const LRESULT before = SendMessageW(m_pane->m_toolTip.GetHwnd(), TTM_GETTOOLCOUNT, 0, 0);
    m_pane->AddEntryTool(*CListItemWindow::FromHandle(row));
    EXPECT_EQ(before + 1, SendMessageW(m_pane->m_toolTip.GetHwnd(), TTM_GETTOOLCOUNT, 0, 0));
    wchar_t text[MAX_PATH] = L"sentinel";
    TOOLINFOW info = {};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = m_pane->GetHwnd();
    info.uId = reinterpret_cast<UINT_PTR>(row);
    info.lpszText = text;
    SendMessageW(m_pane->m_toolTip.GetHwnd(), TTM_GETTEXTW, MAX_PATH,
                 reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(std::wstring(L"C:\\users\\me\\Work"), std::wstring(text));
}

TEST_F(FoldersPane, RightClickOffersAddCategory)
{
    std::vector<std::wstring> items;
    CWindowCatcher catcher(
        L"#32768",
        [&](HWND menuWindow)
        {
            const auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
            for (int i = 0; i < GetMenuItemCount(menu); ++i)
            {
                wchar_t text[64] = {};
                GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
                items.push_back(std::to_wstring(GetMenuItemID(menu, i)) + L" " + text);
            }
            EndMenu();
        });
    SendMessageW(m_pane->GetHwnd(), WM_RBUTTONDOWN, 0, MAKELPARAM(70, 200));
    EXPECT_TRUE(catcher.m_caught) << "no menu came up";
    const std::vector<std::wstring> expected = {std::to_wstring(ID_ADD) + L" &Add category"};
    EXPECT_EQ(expected, items) << testing::PrintToString(items);
    EXPECT_TRUE(m_catalogue->m_folders.m_categories.empty());
}

TEST_F(FoldersPane, AddCategoryAsksForTheNameOverThePane)
{
    HWND owner = nullptr;
    CWindowCatcher catcher(L"#32770",
                           [&](HWND dialog)
                           {
                               owner = GetWindow(dialog, GW_OWNER);
                               SetDlgItemTextW(dialog, IDC_CATEGORY_NAME_EDIT, L"Archives");
                               SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                            reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
                           });
    m_pane->RunMenuCommand(ID_ADD);
    ASSERT_TRUE(catcher.m_caught) << "no dialog came up";
    // A dialog's owner is the top-level window above the pane.
    EXPECT_EQ(GetAncestor(m_pane->GetHwnd(), GA_ROOT), owner);
    const CCategory* added = m_catalogue->m_folders.FindCategory(L"Archives");
    ASSERT_NE(nullptr, added);
    EXPECT_EQ(1u, m_catalogue->m_folders.m_categories.size());
}

TEST_F(FoldersPane, FolderAddedAtRunTimeGetsItsTooltip)
{
    const CFoldersPane* pane = m_mainWnd->GetFoldersPane();
    ASSERT_NE(nullptr, pane);
    ASSERT_EQ(pane->GetHwnd(), m_catalogue->m_folders.m_parentWindow);
    CCategory* category = m_catalogue->m_folders.AddCategory(L"Places");
    ASSERT_NE(nullptr, category);
    const HWND tips = pane->m_toolTip.GetHwnd();
    const LRESULT before = SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0);
    ASSERT_TRUE(m_catalogue->AddItemIfUnique(
        pane->GetHwnd(),
        std::make_unique<CFolderItem>(L"Work", category, L"C:\\Work", pane->GetHwnd()),
        ListKind::Folders));
    EXPECT_EQ(before + 1, SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0));
}

// Windows sends WM_DPICHANGED when the window reaches a monitor of another DPI; Wine
// never does, so the test sends it as Windows would.
TEST_F(FoldersPane, MainWindowTakesTheSuggestedRectAndScaleOfANewDpi)
{
    const HWND main = m_mainWnd->GetHwnd();
    const CFoldersPane* pane = m_mainWnd->GetFoldersPane();
    ASSERT_NE(nullptr, pane);
    CCategory* category = m_catalogue->m_folders.AddCategory(L"Places");
    ASSERT_NE(nullptr, category);
    auto made = std::make_unique<CFolderItem>(L"Work", category, L"C:\\Work", pane->GetHwnd());
    CFolderItem* item = made.get();
    ASSERT_TRUE(m_catalogue->AddItemIfUnique(pane->GetHwnd(), std::move(made), ListKind::Folders));
    const RECT suggested = {20, 30, 20 + 1000, 30 + 700};
    SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));

    RECT window = {-1, -1, -1, -1};
    GetWindowRect(main, &window);
    EXPECT_TRUE(EqualRect(&window, &suggested))
        << window.left << "," << window.top << " " << window.right << "," << window.bottom;
    MINMAXINFO limits = {};
    SendMessageW(main, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(900, limits.ptMinTrackSize.x);
    EXPECT_EQ(600, limits.ptMinTrackSize.y);
    RECT client = {};
    GetClientRect(main, &client);
    EXPECT_EQ(client.right - 210, pane->GetLeft()) << "client width " << client.right;
    EXPECT_EQ(210, pane->GetWidth());
    // Rows made at 96 DPI take the new size; the entry goes under its header at the new
    // row height, and the toolbar's controls move and grow.
    RECT header = {};
    GetWindowRect(category->m_window->GetHwnd(), &header);
    RECT row = {};
    GetWindowRect(item->m_window->GetHwnd(), &row);
    EXPECT_EQ(210, row.right - row.left);
    EXPECT_EQ(33, row.bottom - row.top);
    EXPECT_EQ(header.top + 33, row.top);
    const HWND toolbar = FindWindowExW(main, nullptr, L"ShortcutsToolBar", nullptr);
    RECT bar = {};
    GetClientRect(toolbar, &bar);
    EXPECT_EQ(33, bar.bottom);
    RECT search = {};
    GetWindowRect(FindWindowExW(toolbar, nullptr, L"Edit", nullptr), &search);
    EXPECT_EQ(240, search.right - search.left);
    EXPECT_EQ(27, search.bottom - search.top);
}
