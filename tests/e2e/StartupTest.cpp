// Start-up, single instance, window placement and shut-down, seen from outside
// the program.

#include <gtest/gtest.h>

#include "tests/e2e/Harness.h"

#include <algorithm>

using namespace e2e;

namespace
{
::testing::AssertionResult RectEquals(const RECT& expected, const RECT& actual)
{
    if (EqualRect(&expected, &actual))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "expected (" << expected.left << "," << expected.top << ")-(" << expected.right << ","
           << expected.bottom << ") but got (" << actual.left << "," << actual.top << ")-("
           << actual.right << "," << actual.bottom << ")";
}

RECT DefaultGeometry()
{
    const int cx = GetSystemMetrics(SM_CXFULLSCREEN);
    const int cy = GetSystemMetrics(SM_CYFULLSCREEN);
    // Half the screen, but never below the smallest size the window accepts.
    const int width = std::max(cx / 2, 600);
    const int height = std::max(cy / 2, 400);
    const int x = cx / 2 - width / 2;
    const int y = cy / 2 - height / 2;
    return {x, y, x + width, y + height};
}

RECT StoredWindowPos()
{
    RECT stored = {-7, -7, -7, -7};
    ReadBinary(ProgramRoot, L"WindowPos", &stored, sizeof(stored));
    return stored;
}

class StartupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, CountWindowsOfClass(MainWindowClass)) << "a Pathmoor window is left over";
        DeleteProgramRoot();
    }

    void TearDown() override
    {
        m_first.Kill();
        m_second.Kill();
        DeleteProgramRoot();
    }

    HWND StartFirst()
    {
        EXPECT_TRUE(m_first.Start());
        HWND window = m_first.WaitForMainWindow();
        EXPECT_NE(nullptr, window) << "no main window appeared";
        return window;
    }

    CProgram m_first;
    CProgram m_second;
};
} // namespace

TEST_F(StartupTest, FirstStartShowsCentredWindowWithTrayIcon)
{
    HWND window = StartFirst();
    ASSERT_NE(nullptr, window);

    wchar_t title[64] = L"sentinel";
    GetWindowTextW(window, title, 64);
    EXPECT_STREQ(L"Pathmoor", title);
    EXPECT_TRUE(RectEquals(DefaultGeometry(), WindowRect(window)));
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_TRUE(WaitFor([&] { return TrayIconExists(window, 1); })) << "no tray icon";

    DWORD firstLaunch = 0xdead;
    EXPECT_TRUE(ReadDword(ProgramRoot, L"FirstLaunch", firstLaunch));
    EXPECT_EQ(0u, firstLaunch);
    EXPECT_FALSE(SaveScreenshot(L"first-start").empty());

    ASSERT_TRUE(m_first.Close());
    EXPECT_EQ(0u, m_first.ExitCode());
    EXPECT_FALSE(TrayIconExists(window, 1)) << "tray icon left behind after exit";
}

TEST_F(StartupTest, SecondStartRestoresTheFirstAndExits)
{
    HWND window = StartFirst();
    ASSERT_NE(nullptr, window);
    ShowWindow(window, SW_HIDE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }));
    const std::wstring settingsBefore = DumpValues(ProgramRoot);

    ASSERT_TRUE(m_second.Start());
    ASSERT_TRUE(m_second.WaitForExit()) << "the second instance kept running";
    EXPECT_EQ(0u, m_second.ExitCode());

    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }))
        << "the first instance was not brought back";
    EXPECT_EQ(1, CountWindowsOfClass(MainWindowClass));
    EXPECT_EQ(settingsBefore, DumpValues(ProgramRoot)) << "the second start touched settings";
    EXPECT_TRUE(m_first.IsRunning());
}

TEST_F(StartupTest, ClosingSavesThePlaceAndTheNextStartComesBackThere)
{
    HWND window = StartFirst();
    ASSERT_NE(nullptr, window);
    const RECT before = WindowRect(window);

    // Drag the window by its caption, as a user moves it.
    const int captionY =
        before.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    Drag({before.left + 120, captionY}, {before.left + 180, captionY + 40});
    ASSERT_TRUE(WaitFor([&] { return WindowRect(window).left == before.left + 60; }))
        << "the window did not follow the drag; it is at " << WindowRect(window).left;
    const RECT moved = WindowRect(window);

    // Close it with the close box.
    const int closeX = moved.right - GetSystemMetrics(SM_CXFRAME) - GetSystemMetrics(SM_CXSIZE) / 2;
    const int closeY = moved.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSIZE) / 2;
    Click(closeX, closeY);
    ASSERT_TRUE(m_first.WaitForExit()) << "the close box did not end the program";
    EXPECT_EQ(0u, m_first.ExitCode());

    EXPECT_TRUE(RectEquals(moved, StoredWindowPos()));
    DWORD maximized = 0xdead;
    EXPECT_TRUE(ReadDword(ProgramRoot, L"Maximized", maximized));
    EXPECT_EQ(0u, maximized);

    ASSERT_TRUE(m_second.Start());
    HWND again = m_second.WaitForMainWindow();
    ASSERT_NE(nullptr, again);
    EXPECT_TRUE(RectEquals(moved, WindowRect(again)));
}

TEST_F(StartupTest, MaximizedStateComesBackWithItsRestoredPlace)
{
    const RECT stored = {100, 80, 720, 520};
    ASSERT_TRUE(WriteBinary(ProgramRoot, L"WindowPos", &stored, sizeof(stored)));
    ASSERT_TRUE(WriteDword(ProgramRoot, L"Maximized", 1));

    HWND window = StartFirst();
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(IsZoomed(window));

    // Restoring gives the stored place; Wine cannot read another process's
    // normal position, so the restore shows it.
    ShowWindow(window, SW_RESTORE);
    EXPECT_TRUE(WaitFor(
        [&]
        {
            const RECT now = WindowRect(window);
            return EqualRect(&stored, &now) != FALSE;
        }))
        << "restored to " << WindowRect(window).left << "," << WindowRect(window).top;

    ShowWindow(window, SW_MAXIMIZE);
    ASSERT_TRUE(WaitFor([&] { return IsZoomed(window) != FALSE; }));
    ASSERT_TRUE(m_first.Close());
    DWORD maximized = 0xdead;
    EXPECT_TRUE(ReadDword(ProgramRoot, L"Maximized", maximized));
    EXPECT_EQ(1u, maximized);
    EXPECT_TRUE(RectEquals(stored, StoredWindowPos())) << "the restored place was not kept";
}

TEST_F(StartupTest, StoredPlaceOnNoScreenFallsBackToTheCentre)
{
    const RECT gone = {5000, 4000, 5600, 4400};
    ASSERT_TRUE(WriteBinary(ProgramRoot, L"WindowPos", &gone, sizeof(gone)));

    HWND window = StartFirst();
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(RectEquals(DefaultGeometry(), WindowRect(window)));
}

TEST_F(StartupTest, CancelledEndOfSessionSavesAndKeepsRunning)
{
    HWND window = StartFirst();
    ASSERT_NE(nullptr, window);
    ASSERT_FALSE(ValueExists(ProgramRoot, L"WindowPos"));

    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutW(window, WM_ENDSESSION, FALSE, 0, SMTO_BLOCK, 5000, &result));
    EXPECT_TRUE(ValueExists(ProgramRoot, L"WindowPos")) << "nothing saved";
    EXPECT_TRUE(RectEquals(WindowRect(window), StoredWindowPos()));

    // The program must still answer and keep its tray icon.
    ASSERT_TRUE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &result))
        << "the program stopped answering";
    EXPECT_TRUE(m_first.IsRunning());
    EXPECT_TRUE(TrayIconExists(window, 1));

    DeleteProgramRoot();
    SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, 0, SMTO_BLOCK, 5000, &result);
    ASSERT_TRUE(m_first.WaitForExit()) << "a real end of session did not end the program";
    EXPECT_EQ(0u, m_first.ExitCode());
    EXPECT_TRUE(ValueExists(ProgramRoot, L"WindowPos"));
}
