#include "tests/unit/toolkit/DialogTemplate.h"
#include "tests/unit/toolkit/RecordingWindow.h"
#include "toolkit/Application.h"
#include "toolkit/Edit.h"

#include <gtest/gtest.h>

#include <stdexcept>

using toolkit_test::CDialogTemplate;
using toolkit_test::CRecordingWindow;

namespace
{
constexpr UINT kSetTextRequest = WM_APP + 5;
constexpr LRESULT kTextWasSet = 5;

// Gives its target a new text when asked, as a window, and at WM_INITDIALOG, as a dialog;
// as a dialog it ends on Cancel.
class CTextSettingWindow : public CWindow
{
public:
    explicit CTextSettingWindow(CWindow& target) : m_target(target) {}

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg != kSetTextRequest)
            return CWindow::WindowProc(msg, wParam, lParam);
        m_target.SetText(L"new");
        return kTextWasSet;
    }

    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM) override
    {
        if (msg == WM_INITDIALOG)
            m_target.SetText(L"new");
        else if (msg == WM_COMMAND && wParam == IDCANCEL)
            EndDialog(GetHwnd(), IDCANCEL);
        return FALSE;
    }

private:
    CWindow& m_target;
};

class ToolkitWindowText : public testing::Test
{
protected:
    void SetUp() override
    {
        m_host = CRecordingWindow::CreateTestWindow(nullptr, WS_OVERLAPPEDWINDOW, nullptr,
                                                    {0, 0, 300, 200});
        ASSERT_NE(nullptr, m_host);
        const HWND edit =
            CreateWindowExW(0, L"Edit", L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 100, 20, m_host,
                            nullptr, CApplication::Instance().GetInstanceHandle(), nullptr);
        ASSERT_NE(nullptr, edit);
        m_edit.Attach(edit);
    }
    void TearDown() override { DestroyWindow(m_host); }

    void ExpectRoundTrip(const std::wstring& text, int line)
    {
        SCOPED_TRACE(testing::Message() << "called from line " << line);
        m_edit.SetText(text);
        EXPECT_EQ(text, m_edit.GetText());
        EXPECT_EQ(text, m_edit.GetEditText());
        EXPECT_EQ(static_cast<int>(text.size()), m_edit.GetLineLength());
    }

    HWND m_host = nullptr;
    CEdit m_edit;
};

TEST_F(ToolkitWindowText, RoundTrips)
{
    ExpectRoundTrip(L"plain", __LINE__);
    ExpectRoundTrip(L"", __LINE__);
    ExpectRoundTrip(L"Gr\u00f6\u00dfe \u2013 \u00c4\u00d6\u00dc \u65e5\u672c", __LINE__);
    ExpectRoundTrip(std::wstring(1000, L'x') + L"end", __LINE__);
}

TEST_F(ToolkitWindowText, SetTextThrowsWhenTheWindowRefuses)
{
    CRecordingWindow refusing;
    const HWND hWnd =
        CRecordingWindow::CreateTestWindow(&refusing, WS_CHILD, m_host, {0, 0, 10, 10}, L"old");
    ASSERT_NE(nullptr, hWnd);
    refusing.m_answers[WM_SETTEXT] = FALSE;
    try
    {
        refusing.SetText(L"new");
        ADD_FAILURE() << "SetText returned although WM_SETTEXT answered FALSE";
    }
    catch (const std::runtime_error& error)
    {
        EXPECT_STREQ("SetText failed", error.what());
    }
    EXPECT_TRUE(refusing.Saw(WM_SETTEXT));
    EXPECT_EQ(L"old", refusing.GetText());
}

// Thrown through the system's frames, the exception would end the process.
TEST_F(ToolkitWindowText, RefusedTextStaysInsideTheWindowAndDialogProcedures)
{
    CRecordingWindow refusing;
    ASSERT_NE(nullptr, CRecordingWindow::CreateTestWindow(&refusing, WS_CHILD, m_host,
                                                          {0, 0, 10, 10}, L"old"));
    refusing.m_answers[WM_SETTEXT] = FALSE;

    CTextSettingWindow window(refusing);
    const HWND hWnd =
        CRecordingWindow::CreateTestWindow(&window, WS_CHILD, m_host, {0, 20, 10, 30});
    ASSERT_NE(nullptr, hWnd);
    // The default answer to the request, not the handler's.
    EXPECT_EQ(0, SendMessageW(hWnd, kSetTextRequest, 0, 0));
    EXPECT_EQ(&window, CApplication::Instance().FindWindowObject(hWnd));

    // A dialog that cannot show its values is cancelled rather than shown half filled.
    const CDialogTemplate dialogTemplate(WS_POPUP | WS_CAPTION, 100, 40, L"Refused");
    CTextSettingWindow dialog(refusing);
    const INT_PTR result = DialogBoxIndirectParamW(
        CApplication::Instance().GetInstanceHandle(), dialogTemplate.Get(), m_host,
        CWindow::StaticDialogProc, reinterpret_cast<LPARAM>(&dialog));
    EXPECT_EQ(IDCANCEL, result) << "error " << GetLastError();
    EXPECT_EQ(L"old", refusing.GetText());
}

TEST_F(ToolkitWindowText, SetTextThrowsWithoutWindow)
{
    CWindow unbound;
    EXPECT_THROW(unbound.SetText(L"text"), CSetTextError);
    EXPECT_EQ(L"", unbound.GetText());
}

TEST_F(ToolkitWindowText, IsEnabledFollowsTheWindow)
{
    EXPECT_TRUE(m_edit.IsEnabled());
    EnableWindow(m_edit.GetHwnd(), FALSE);
    EXPECT_FALSE(m_edit.IsEnabled());
    EnableWindow(m_edit.GetHwnd(), TRUE);
    EXPECT_TRUE(m_edit.IsEnabled());
    CWindow unbound;
    EXPECT_FALSE(unbound.IsEnabled());
}
} // namespace
