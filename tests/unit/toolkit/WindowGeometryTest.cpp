#include "tests/unit/toolkit/RecordingWindow.h"
#include "toolkit/Application.h"
#include "toolkit/Window.h"

#include <gtest/gtest.h>

using toolkit_test::CRecordingWindow;

namespace
{
class ToolkitWindowGeometry : public testing::Test
{
protected:
    void SetUp() override
    {
        m_parentHwnd = CRecordingWindow::CreateTestWindow(&m_parent, WS_OVERLAPPEDWINDOW, nullptr,
                                                          {50, 60, 450, 360}, L"geometry");
        ASSERT_NE(nullptr, m_parentHwnd);
        m_childHwnd = CRecordingWindow::CreateTestWindow(
            &m_child, WS_CHILD | WS_VISIBLE | WS_BORDER, m_parentHwnd, {10, 20, 110, 70});
        ASSERT_NE(nullptr, m_childHwnd);
    }

    static void ExpectPlace(const CWindow& window, int left, int top, int right, int bottom,
                            int line)
    {
        SCOPED_TRACE(testing::Message() << "called from line " << line);
        EXPECT_EQ(left, window.GetLeft());
        EXPECT_EQ(top, window.GetTop());
        EXPECT_EQ(right, window.GetRight());
        EXPECT_EQ(bottom, window.GetBottom());
        EXPECT_EQ(right - left, window.GetWidth());
        EXPECT_EQ(bottom - top, window.GetHeight());
    }

    static int ClientHeight(HWND hWnd)
    {
        RECT client = {-1, -1, -1, -1};
        GetClientRect(hWnd, &client);
        return client.bottom - client.top;
    }

    CRecordingWindow m_parent;
    CRecordingWindow m_child;
    HWND m_parentHwnd = nullptr;
    HWND m_childHwnd = nullptr;
};

TEST_F(ToolkitWindowGeometry, ChildIsMeasuredInParentClientCoordinates)
{
    ExpectPlace(m_child, 10, 20, 110, 70, __LINE__);
}

TEST_F(ToolkitWindowGeometry, TopLevelIsMeasuredOnTheScreen)
{
    ExpectPlace(m_parent, 50, 60, 450, 360, __LINE__);
}

TEST_F(ToolkitWindowGeometry, MoveToKeepsSizeAndMinusOneKeepsCoordinate)
{
    m_child.MoveTo(30, 40);
    ExpectPlace(m_child, 30, 40, 130, 90, __LINE__);
    m_child.MoveTo(-1, 5);
    ExpectPlace(m_child, 30, 5, 130, 55, __LINE__);
    m_child.MoveTo(0, -1);
    ExpectPlace(m_child, 0, 5, 100, 55, __LINE__);
    m_parent.MoveTo(-1, 100);
    ExpectPlace(m_parent, 50, 100, 450, 400, __LINE__);
}

TEST_F(ToolkitWindowGeometry, ResizeSetsTheClientHeight)
{
    m_child.Resize(120, 30);
    EXPECT_EQ(30, ClientHeight(m_childHwnd));
    EXPECT_EQ(120, m_child.GetWidth());
    EXPECT_EQ(10, m_child.GetLeft());
    EXPECT_EQ(20, m_child.GetTop());

    m_parent.Resize(300, 150);
    EXPECT_EQ(150, ClientHeight(m_parentHwnd));
    EXPECT_EQ(300, m_parent.GetWidth());
    EXPECT_EQ(50, m_parent.GetLeft());
    EXPECT_EQ(60, m_parent.GetTop());
}

TEST_F(ToolkitWindowGeometry, ResizeWithMinusOneKeepsThatDimension)
{
    const int clientHeight = ClientHeight(m_parentHwnd);
    m_parent.Resize(-1, -1);
    ExpectPlace(m_parent, 50, 60, 450, 360, __LINE__);
    EXPECT_EQ(clientHeight, ClientHeight(m_parentHwnd));

    m_parent.Resize(-1, 100);
    EXPECT_EQ(400, m_parent.GetWidth());
    EXPECT_EQ(100, ClientHeight(m_parentHwnd));
    m_parent.Resize(200, -1);
    EXPECT_EQ(200, m_parent.GetWidth());
    EXPECT_EQ(100, ClientHeight(m_parentHwnd));
}

TEST_F(ToolkitWindowGeometry, MaximizedWindowReportsItsNormalSize)
{
    ShowWindow(m_parentHwnd, SW_SHOWMAXIMIZED);
    ASSERT_TRUE(IsZoomed(m_parentHwnd));
    RECT actual = {};
    GetWindowRect(m_parentHwnd, &actual);
    ASSERT_NE(400, actual.right - actual.left) << "the maximized window kept its width";
    EXPECT_EQ(400, m_parent.GetWidth());
    EXPECT_EQ(300, m_parent.GetHeight());
    EXPECT_EQ(50, m_parent.GetLeft());
}
} // namespace
