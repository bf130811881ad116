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
constexpr UINT kCode = 0x1234;
constexpr LRESULT kWindowProcAnswer = 77;
const std::wstring kWindowProcNotify = L"WindowProc " + std::to_wstring(WM_NOTIFY);
const std::wstring kDialogProcNotify = L"DialogProc " + std::to_wstring(WM_NOTIFY);

class ToolkitNotify : public testing::Test
{
protected:
    void SetUp() override
    {
        m_parentHwnd = CRecordingWindow::CreateTestWindow(&m_parent, WS_OVERLAPPEDWINDOW, nullptr,
                                                          {0, 0, 300, 200});
        ASSERT_NE(nullptr, m_parentHwnd);
        m_childHwnd = CreateButton();
        m_child.Attach(m_childHwnd);
        m_parent.m_answers[WM_NOTIFY] = kWindowProcAnswer;
        m_parent.m_notifyWrites = 55;
        m_child.m_notifyWrites = 66;
        m_journal.clear();
    }

    HWND CreateButton()
    {
        return CreateWindowExW(0, L"Button", L"", WS_CHILD, 0, 0, 50, 20, m_parentHwnd, nullptr,
                               CApplication::Instance().GetInstanceHandle(), nullptr);
    }

    std::vector<std::wstring> m_journal;
    CRecordingWindow m_parent{L"parent", &m_journal};
    CRecordingWindow m_child{L"child", &m_journal};
    HWND m_parentHwnd = nullptr;
    HWND m_childHwnd = nullptr;
};

TEST_F(ToolkitNotify, ParentThenSenderThenWindowProc)
{
    NMHDR header = {m_childHwnd, 5, kCode};
    const LRESULT result =
        SendMessageW(m_parentHwnd, WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&header));
    // What the handlers write through the result pointer is not the answer.
    EXPECT_EQ(kWindowProcAnswer, result);
    const std::vector<std::wstring> expected = {L"parent:OnNotify", L"child:OnReflectNotify",
                                                L"parent:" + kWindowProcNotify};
    EXPECT_EQ(expected, m_journal);
    EXPECT_EQ(&header, m_parent.m_notifyHeader);
    EXPECT_EQ(&header, m_child.m_reflectHeader);
    ASSERT_NE(nullptr, m_parent.m_notifyResult);
    EXPECT_EQ(m_parent.m_notifyResult, m_child.m_reflectResult)
        << "both handlers share one result location";
}

TEST_F(ToolkitNotify, NullHeaderIsAnsweredWithZero)
{
    EXPECT_EQ(0, SendMessageW(m_parentHwnd, WM_NOTIFY, 5, 0));
    EXPECT_TRUE(m_journal.empty()) << testing::PrintToString(m_journal);
}

TEST_F(ToolkitNotify, SenderWithoutObjectReachesOnlyTheParent)
{
    const HWND plain = CreateButton();
    m_journal.clear();
    NMHDR header = {plain, 6, kCode};
    EXPECT_EQ(kWindowProcAnswer,
              SendMessageW(m_parentHwnd, WM_NOTIFY, 6, reinterpret_cast<LPARAM>(&header)));
    const std::vector<std::wstring> expected = {L"parent:OnNotify", L"parent:" + kWindowProcNotify};
    EXPECT_EQ(expected, m_journal);
    EXPECT_EQ(nullptr, m_child.m_reflectHeader);
}

TEST_F(ToolkitNotify, DialogDispatchesTheSameWay)
{
    CDialogTemplate dialogTemplate(WS_POPUP, 100, 40, L"Notify");
    dialogTemplate.AddControl(L"Edit", 100, 0, 2, 2, 60, 12);
    CRecordingWindow dialog(L"dialog", &m_journal);
    const HWND hWnd = CreateDialogIndirectParamW(
        CApplication::Instance().GetInstanceHandle(), dialogTemplate.Get(), nullptr,
        CWindow::StaticDialogProc, reinterpret_cast<LPARAM>(&dialog));
    ASSERT_NE(nullptr, hWnd);
    CRecordingWindow edit(L"edit", &m_journal);
    edit.Attach(GetDlgItem(hWnd, 100));
    m_journal.clear();

    EXPECT_EQ(0, SendMessageW(hWnd, WM_NOTIFY, 100, 0));
    EXPECT_TRUE(m_journal.empty()) << testing::PrintToString(m_journal);

    NMHDR header = {edit.GetHwnd(), 100, kCode};
    SendMessageW(hWnd, WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&header));
    const std::vector<std::wstring> expected = {L"dialog:OnNotify", L"edit:OnReflectNotify",
                                                L"dialog:" + kDialogProcNotify};
    EXPECT_EQ(expected, m_journal);
}
} // namespace
