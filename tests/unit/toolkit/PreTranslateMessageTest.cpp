#include "tests/unit/toolkit/DialogTemplate.h"
#include "tests/unit/toolkit/RecordingWindow.h"
#include "toolkit/Application.h"
#include "toolkit/Window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using toolkit_test::CDialogTemplate;
using toolkit_test::CRecordingWindow;

namespace
{
constexpr WORD kEditId = 100;
constexpr WORD kPlainEditId = 101;
const std::wstring kTop = L"top:PreTranslateMessage";
const std::wstring kDialog = L"dialog:PreTranslateMessage";
const std::wstring kEdit = L"edit:PreTranslateMessage";

// An edit in a dialog owned by a top-level window, as in the program's modeless dialog.
class ToolkitPreTranslateMessage : public testing::Test
{
protected:
    void SetUp() override
    {
        m_topHwnd = CRecordingWindow::CreateTestWindow(&m_top, WS_OVERLAPPEDWINDOW, nullptr,
                                                       {0, 0, 300, 200});
        ASSERT_NE(nullptr, m_topHwnd);
        m_template.AddControl(L"Edit", kEditId, 0, 2, 2, 60, 12);
        m_template.AddControl(L"Edit", kPlainEditId, 0, 2, 20, 60, 12);
        m_journal.clear();
    }

    HWND CreateWalkDialog(CWindow* object)
    {
        const HWND hWnd = CreateDialogIndirectParamW(
            CApplication::Instance().GetInstanceHandle(), m_template.Get(), m_topHwnd,
            CWindow::StaticDialogProc, reinterpret_cast<LPARAM>(object));
        m_edit.Attach(GetDlgItem(hWnd, kEditId));
        m_journal.clear();
        return hWnd;
    }

    bool Offer(HWND target)
    {
        MSG msg = {target, WM_KEYDOWN, 'A', 0x001E0001, 0, {0, 0}};
        return CApplication::Instance().PreTranslateMessage(&msg);
    }

    std::vector<std::wstring> m_journal;
    CRecordingWindow m_top{L"top", &m_journal};
    CRecordingWindow m_dialog{L"dialog", &m_journal};
    CRecordingWindow m_edit{L"edit", &m_journal};
    CDialogTemplate m_template{WS_POPUP, 100, 40, L"Walk"};
    HWND m_topHwnd = nullptr;
};

TEST_F(ToolkitPreTranslateMessage, OfferedFromEditUpToTopWindow)
{
    CreateWalkDialog(&m_dialog);
    ASSERT_EQ(m_topHwnd, GetParent(m_dialog.GetHwnd())) << "the owner counts as parent";
    EXPECT_FALSE(Offer(m_edit.GetHwnd()));
    const std::vector<std::wstring> expected = {kEdit, kDialog, kTop};
    EXPECT_EQ(expected, m_journal);
}

TEST_F(ToolkitPreTranslateMessage, FirstObjectThatHandlesItEndsTheWalk)
{
    CreateWalkDialog(&m_dialog);
    m_dialog.m_handlesPreTranslate = true;
    EXPECT_TRUE(Offer(m_edit.GetHwnd()));
    const std::vector<std::wstring> expected = {kEdit, kDialog};
    EXPECT_EQ(expected, m_journal);

    m_journal.clear();
    m_edit.m_handlesPreTranslate = true;
    EXPECT_TRUE(Offer(m_edit.GetHwnd()));
    EXPECT_EQ(std::vector<std::wstring>{kEdit}, m_journal);
}

TEST_F(ToolkitPreTranslateMessage, WindowsWithoutObjectAreSkipped)
{
    const HWND dialog = CreateWalkDialog(nullptr);
    ASSERT_NE(nullptr, dialog);
    EXPECT_FALSE(Offer(m_edit.GetHwnd()));
    const std::vector<std::wstring> viaEdit = {kEdit, kTop};
    EXPECT_EQ(viaEdit, m_journal);

    m_journal.clear();
    EXPECT_FALSE(Offer(GetDlgItem(dialog, kPlainEditId)));
    EXPECT_EQ(std::vector<std::wstring>{kTop}, m_journal);
    DestroyWindow(dialog);
}

TEST_F(ToolkitPreTranslateMessage, ThreadMessageIsNotHandled)
{
    m_top.m_handlesPreTranslate = true;
    EXPECT_FALSE(Offer(nullptr));
    EXPECT_TRUE(m_journal.empty()) << testing::PrintToString(m_journal);
}
} // namespace
