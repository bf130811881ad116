#include "tests/unit/toolkit/RecordingWindow.h"
#include "toolkit/Application.h"
#include "toolkit/ToolTipControl.h"

#include <gtest/gtest.h>

#include <string>

using toolkit_test::CRecordingWindow;

namespace
{
// Supplies its text when the tooltip asks for it, as the program's entry windows do.
class CTipTool : public CWindow
{
public:
    void OnReflectNotify(NMHDR* header, LRESULT*) override
    {
        if (header->code != TTN_GETDISPINFOW)
            return;
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        m_requestLParam = info->lParam;
        m_requestId = header->idFrom;
        info->lpszText = const_cast<wchar_t*>(m_text.c_str());
    }

    std::wstring m_text = L"Tip of the tool";
    LPARAM m_requestLParam = 0;
    UINT_PTR m_requestId = 0;
};

// Passes tooltip text requests on to the object of the tool the request names.
class CTipOwner : public CRecordingWindow
{
public:
    void OnNotify(NMHDR* header, LRESULT* result) override
    {
        CRecordingWindow::OnNotify(header, result);
        if (header->code != TTN_GETDISPINFOW)
            return;
        const auto tool = reinterpret_cast<HWND>(reinterpret_cast<NMTTDISPINFOW*>(header)->lParam);
        if (CWindow* window = CApplication::Instance().FindWindowObject(tool))
            window->OnReflectNotify(header, result);
    }
};

class ToolkitToolTipControl : public testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX init = {sizeof(init), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&init);
        m_ownerHwnd = CRecordingWindow::CreateTestWindow(&m_owner, WS_OVERLAPPEDWINDOW, nullptr,
                                                         {0, 0, 300, 200});
        ASSERT_NE(nullptr, m_ownerHwnd);
        const HWND button =
            CreateWindowExW(0, L"Button", L"", WS_CHILD | WS_VISIBLE, 10, 10, 60, 20, m_ownerHwnd,
                            nullptr, CApplication::Instance().GetInstanceHandle(), nullptr);
        ASSERT_NE(nullptr, button);
        m_tool.Attach(button);
    }

    CTipOwner m_owner;
    CTipTool m_tool;
    CToolTipControl m_toolTip;
    HWND m_ownerHwnd = nullptr;
};

TEST_F(ToolkitToolTipControl, CreateMakesTopmostTooltipOutsideTheMap)
{
    ASSERT_TRUE(m_toolTip.Create(m_ownerHwnd));
    const HWND hWnd = m_toolTip.GetHwnd();
    ASSERT_NE(nullptr, hWnd);
    wchar_t className[64];
    wmemset(className, L'#', 64);
    GetClassNameW(hWnd, className, 64);
    EXPECT_STREQ(L"tooltips_class32", className);
    const LONG_PTR style = GetWindowLongPtrW(hWnd, GWL_STYLE);
    EXPECT_EQ(TTS_NOPREFIX | TTS_ALWAYSTIP, style & (TTS_NOPREFIX | TTS_ALWAYSTIP))
        << std::hex << style;
    EXPECT_TRUE(style & WS_POPUP) << std::hex << style;
    EXPECT_TRUE(GetWindowLongPtrW(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(m_ownerHwnd, GetWindow(hWnd, GW_OWNER));
    EXPECT_EQ(nullptr, CApplication::Instance().FindWindowObject(hWnd));
}

TEST_F(ToolkitToolTipControl, AddToolRegistersTheToolUnderItsParent)
{
    ASSERT_TRUE(m_toolTip.Create(m_ownerHwnd));
    m_toolTip.Activate(true);
    EXPECT_TRUE(m_toolTip.AddTool(m_tool.GetHwnd(), LPSTR_TEXTCALLBACKW));
    EXPECT_EQ(1, m_toolTip.SendMessage(TTM_GETTOOLCOUNT));

    TOOLINFOW info;
    FillMemory(&info, sizeof(info), 0xcc);
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.lpszText = nullptr;
    ASSERT_TRUE(m_toolTip.SendMessage(TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(static_cast<UINT>(TTF_IDISHWND | TTF_SUBCLASS),
              info.uFlags & (TTF_IDISHWND | TTF_SUBCLASS))
        << std::hex << info.uFlags;
    EXPECT_EQ(m_ownerHwnd, info.hwnd);
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(m_tool.GetHwnd()), info.uId);
    EXPECT_EQ(reinterpret_cast<LPARAM>(m_tool.GetHwnd()), info.lParam);
}

TEST_F(ToolkitToolTipControl, TextRequestReachesTheToolObject)
{
    ASSERT_TRUE(m_toolTip.Create(m_ownerHwnd));
    ASSERT_TRUE(m_toolTip.AddTool(m_tool.GetHwnd(), LPSTR_TEXTCALLBACKW));

    wchar_t text[80];
    wmemset(text, L'#', 80);
    TOOLINFOW info = {};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = m_ownerHwnd;
    info.uId = reinterpret_cast<UINT_PTR>(m_tool.GetHwnd());
    info.lpszText = text;
    m_toolTip.SendMessage(TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(L"Tip of the tool", text);
    EXPECT_EQ(reinterpret_cast<LPARAM>(m_tool.GetHwnd()), m_tool.m_requestLParam);
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(m_tool.GetHwnd()), m_tool.m_requestId);
    EXPECT_TRUE(m_owner.Saw(WM_NOTIFY));
}
} // namespace
