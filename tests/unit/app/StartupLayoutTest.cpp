// Entry rows read at start-up are created shown where the layout puts them; a
// layout afterwards must find every one of them in its place, including bands of
// columns that wrap below the tallest column. The page that is not shown first
// keeps its rows as created until it is chosen, so it is the one looked at.

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/MainWnd.h"
#include "app/PageWindow.h"
#include "toolkit/Scoped.h"
#include "views/ListItemWindow.h"
#include "tests/support/unit/MainWindowTest.h"

using test_support::DeleteProgramKey;
using test_support::MarkReturningUser;

namespace
{
const std::wstring ProgramKey = L"Software\\Quillbrook\\Pathmoor\\";

void StoreEntry(const std::wstring& kind, const std::wstring& category, const std::wstring& name,
                const std::wstring& path = L"C:\\windows\\notepad.exe")
{
    const std::wstring key = ProgramKey + kind + L"\\Category\\" + category + L"\\" + name;
    ASSERT_EQ(ERROR_SUCCESS,
              RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"ItemPath", REG_SZ, path.c_str(),
                              static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t))))
        << "storing " << testing::PrintToString(key);
}

// Categories of 0 to 6 entries, more than fit side by side on a page.
void StoreColumns(const std::wstring& kind)
{
    for (int category = 0; category < 8; ++category)
    {
        const std::wstring name = L"Group " + std::to_wstring(category);
        StoreEntry(kind, name, L"Placeholder");
        for (int entry = 0; entry < (category * 5) % 7; ++entry)
            StoreEntry(kind, name, L"Entry " + std::to_wstring(entry));
    }
}

struct RowState
{
    RECT rect;
    bool shown;
};

std::map<HWND, RowState> RowsOf(HWND parent)
{
    std::map<HWND, RowState> rows;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
    {
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        if (std::wstring(className) != L"ListItem" ||
            CListItemWindow::FromHandle(child)->IsCategory())
            continue;
        RowState state = {{-1, -1, -1, -1}, false};
        GetWindowRect(child, &state.rect);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&state.rect), 2);
        state.shown = (GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) != 0;
        rows[child] = state;
    }
    return rows;
}

void ExpectSameRows(const std::map<HWND, RowState>& before, HWND parent, size_t count, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    const std::map<HWND, RowState> after = RowsOf(parent);
    ASSERT_EQ(count, before.size());
    ASSERT_EQ(before.size(), after.size());
    for (const auto& [row, state] : before)
    {
        const RowState& laid = after.at(row);
        EXPECT_TRUE(state.shown) << "a row was created hidden";
        EXPECT_TRUE(laid.shown);
        EXPECT_TRUE(EqualRect(&state.rect, &laid.rect))
            << "created at (" << state.rect.left << ", " << state.rect.top << "), laid out at ("
            << laid.rect.left << ", " << laid.rect.top << ")";
    }
}

class StartupLayout : public testing::Test
{
protected:
    void SetUp() override
    {
        DeleteProgramKey();
        MarkReturningUser();
        CListItemWindow::RegisterListItemClass();
    }
    void TearDown() override
    {
        m_mainWnd.reset();
        DeleteProgramKey();
    }

    void Start()
    {
        m_mainWnd = std::make_unique<CMainWnd>();
        ASSERT_EQ(m_mainWnd.get(), CMainWnd::Instance(m_mainWnd.get()))
            << "the main window is fixed once per process: run one such test per process";
        ASSERT_TRUE(m_mainWnd->Create());
    }

    std::unique_ptr<CMainWnd> m_mainWnd;
};
} // namespace

TEST_F(StartupLayout, StoredRowsStartWhereTheLayoutPutsThem)
{
    ASSERT_NO_FATAL_FAILURE(StoreColumns(L"Shortcuts"));
    ASSERT_NO_FATAL_FAILURE(Start());
    const HWND page = m_mainWnd->GetPage(1)->GetHwnd();
    RECT client = {};
    GetClientRect(page, &client);
    ASSERT_LT(client.right, 8 * 150) << "the page holds every column in one band; no wrap is tried";

    const std::map<HWND, RowState> created = RowsOf(page);
    m_mainWnd->OnTabChanged(1);
    // 8 placeholders and 0+5+3+1+6+4+2+0 entries.
    ExpectSameRows(created, page, 8 + 21, __LINE__);
}

// Windows stops drawing for a process that holds 10,000 GDI or 10,000 USER objects, so
// what rows hold must not grow with the catalogue. Every row is painted, which is when
// shortcut and folder rows take their icons.
TEST_F(StartupLayout, TenThousandEntriesOfEveryKindHoldFewGuiObjects)
{
    const std::pair<const wchar_t*, const wchar_t*> kinds[] = {
        {L"Applications", L"C:\\windows\\notepad.exe"},
        {L"Shortcuts", L"C:\\windows\\regedit.exe"},
        {L"Folders", L"C:\\windows"}};
    int stored = 0;
    for (const auto& [kind, path] : kinds)
        for (int category = 0; category < 10; ++category)
            for (int entry = 0; entry < 334 && stored < 10000; ++entry, ++stored)
                ASSERT_NO_FATAL_FAILURE(StoreEntry(kind, L"Group " + std::to_wstring(category),
                                                   L"Entry " + std::to_wstring(entry), path));
    ASSERT_NO_FATAL_FAILURE(Start());

    std::vector<HWND> rows;
    EnumChildWindows(
        m_mainWnd->GetHwnd(),
        [](HWND child, LPARAM found) -> BOOL
        {
            wchar_t className[32] = {};
            GetClassNameW(child, className, 32);
            if (std::wstring(className) == L"ListItem" &&
                !CListItemWindow::FromHandle(child)->IsCategory())
                reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&rows));
    ASSERT_EQ(10000u, rows.size());
    for (HWND row : rows)
        SendMessageW(row, WM_PAINT, 0, 0);

    const long gdi = OwnedGuiObjects(GuiObjectKind::Gdi);
    const long user = OwnedGuiObjects(GuiObjectKind::User);
    EXPECT_LT(gdi, 1000) << "GDI objects held with 10,000 entries";
    EXPECT_LT(user, 1000) << "USER objects held with 10,000 entries";
    // The system's own figures, where it keeps them (Wine answers 0).
    std::printf("held: %ld GDI, %ld USER; the system counts %lu GDI, %lu USER\n", gdi, user,
                GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
}
