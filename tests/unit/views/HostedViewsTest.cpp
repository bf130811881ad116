#include "tests/unit/views/HostedViewsTest.h"

#include "resources/resource.h"
#include "shell/Clipboard.h"
#include "tests/support/unit/MessageBoxCloser.h"
#include "tests/support/InProcessInput.h"
#include "toolkit/Utilities.h"
#include "views/ListItemWindow.h"

#include <gtest/gtest.h>

namespace views_test
{
void CHostedViewsTest::SetUp()
{
    CMainWindowTest::SetUp();
    if (HasFatalFailure())
        return;
    CListItemWindow::s_buttonDown = false;
    m_host = std::make_unique<CHostWindow>(RECT{100, 100, 600, 400});
}

void CHostedViewsTest::TearDown()
{
    m_host.reset();
    CMainWindowTest::TearDown();
}

CCategory* CHostedViewsTest::AddHostedCategory(CCategorizedList& list, const std::wstring& name,
                                               int x, int y)
{
    const HWND page = list.m_parentWindow;
    list.m_parentWindow = m_host->GetHwnd();
    CCategory* category = list.AddCategory(name);
    list.m_parentWindow = page;
    if (category)
        PlaceWindow(category->m_window->GetHwnd(), x, y);
    return category;
}

void CHostedViewsTest::PlaceLastRow(const CCategory& category, HWND row) const
{
    RECT header = {};
    GetWindowRect(category.m_window->GetHwnd(), &header);
    MapWindowPoints(nullptr, m_host->GetHwnd(), reinterpret_cast<POINT*>(&header), 2);
    const int rowsAbove = static_cast<int>(category.m_items.size()) - 1;
    PlaceWindow(row, header.left, header.bottom + RowHeight * rowsAbove);
}

std::vector<COLORREF> CHostedViewsTest::Capture(HWND row)
{
    InvalidateRect(row, nullptr, FALSE);
    UpdateWindow(row);
    return CaptureClient(row);
}

void CHostedViewsTest::DropFiles(HWND target, const std::vector<std::wstring>& paths, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    const HGLOBAL drop = BuildDropFiles(paths);
    ASSERT_NE(nullptr, drop);
    SendMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
}

void CHostedViewsTest::ExpectEntryKeptOnNo(const std::function<void()>& runDelete,
                                           const CListItem* item, const std::wstring& prompt,
                                           int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    test_support::CMessageBoxCloser closer;
    runDelete();
    ASSERT_EQ(1u, closer.m_texts.size());
    EXPECT_EQ(prompt, closer.m_texts[0]);
    EXPECT_EQ(L"Pathmoor", closer.m_captions[0]);
    const CCategory& category = *item->m_category;
    ASSERT_EQ(1u, category.m_items.size());
    EXPECT_EQ(item, category.m_items[0].get());
}

void CHostedViewsTest::ExpectCategoryKeptOnNo(CCategoryItemWindow& header,
                                              const CCategorizedList& list,
                                              const std::wstring& name, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    test_support::CMessageBoxCloser closer;
    header.RunMenuCommand(ID_DELETE);
    ASSERT_EQ(1u, closer.m_texts.size());
    EXPECT_EQ(LoadResString(IDS_DELETE_CATEGORY_PROMPT), closer.m_texts[0]);
    EXPECT_NE(nullptr, list.FindCategory(name));
}
} // namespace views_test
