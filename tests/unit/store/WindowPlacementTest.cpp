#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <type_traits>

#include "app/MainWindowPlace.h"
#include "store/SettingsStore.h"
#include "tests/unit/store/StoreTest.h"

namespace
{
const RECT SentinelRect = {-7, -7, -7, -7};
// Little-endian signed values, as another build would have stored them.
const BYTE StoredPosition[16] = {0x50, 0xfb, 0xff, 0xff, 0xce, 0xff, 0xff, 0xff,
                                 0x38, 0xff, 0xff, 0xff, 0x8a, 0x02, 0x00, 0x00};
const RECT StoredRect = {-1200, -50, -200, 650};

struct WindowDestroyer
{
    void operator()(HWND window) const { DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

UniqueWindow CreateTopLevelWindow()
{
    return UniqueWindow(CreateWindowExW(0, L"STATIC", L"Placement", WS_OVERLAPPEDWINDOW, 100, 120,
                                        300, 200, nullptr, nullptr, GetModuleHandleW(nullptr),
                                        nullptr));
}

RECT NormalPosition(HWND window)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    return placement.rcNormalPosition;
}

class StoreWindowPlacement : public StoreTest
{
};

TEST_F(StoreWindowPlacement, CleanProfileGetsTheRootAndNoPosition)
{
    CSettings settings;
    settings.m_windowRect = SentinelRect;
    settings.m_maximized = true;
    EXPECT_FALSE(LoadWindowPlacement(settings));
    EXPECT_TRUE(KeyExists(RootKey));
    EXPECT_TRUE(IsRectEqual(settings.m_windowRect, SentinelRect));
    EXPECT_TRUE(settings.m_maximized);
}

TEST_F(StoreWindowPlacement, StoredPositionAndMaximized)
{
    ASSERT_EQ(ERROR_SUCCESS, WriteRawValue(RootKey, L"WindowPos", REG_BINARY, StoredPosition,
                                           sizeof StoredPosition));
    ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(RootKey, L"Maximized", 1));
    CSettings settings;
    EXPECT_TRUE(LoadWindowPlacement(settings));
    EXPECT_TRUE(IsRectEqual(settings.m_windowRect, StoredRect));
    EXPECT_TRUE(settings.m_maximized);
}

TEST_F(StoreWindowPlacement, MissingMaximizedReadsFalse)
{
    ASSERT_EQ(ERROR_SUCCESS, WriteRawValue(RootKey, L"WindowPos", REG_BINARY, StoredPosition,
                                           sizeof StoredPosition));
    CSettings settings;
    settings.m_maximized = true;
    EXPECT_TRUE(LoadWindowPlacement(settings));
    EXPECT_FALSE(settings.m_maximized);
}

TEST_F(StoreWindowPlacement, MalformedPositionCountsAsMissing)
{
    ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(RunKey, RunValue, L"\"C:\\Old\\pathmoor.exe\""));
    const BYTE bytes[20] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
    const struct
    {
        DWORD type;
        DWORD size;
    } positions[] = {{REG_BINARY, 8}, {REG_BINARY, 20}, {REG_SZ, 16}, {REG_DWORD, 4}};
    for (const auto& position : positions)
    {
        SCOPED_TRACE(testing::Message()
                     << "type " << position.type << ", " << position.size << " bytes");
        ASSERT_EQ(ERROR_SUCCESS,
                  WriteRawValue(RootKey, L"WindowPos", position.type, bytes, position.size));
        CSettings settings;
        settings.m_windowRect = SentinelRect;
        EXPECT_FALSE(LoadSettings(settings));
        EXPECT_TRUE(IsRectEqual(settings.m_windowRect, SentinelRect));
        EXPECT_EQ(L"", settings.m_startupCommand);
    }
}

TEST_F(StoreWindowPlacement, SaveOfANormalWindow)
{
    const UniqueWindow window = CreateTopLevelWindow();
    ASSERT_TRUE(window);
    ShowWindow(window.get(), SW_SHOWNORMAL);
    const RECT expected = NormalPosition(window.get());
    SaveWindowPlacement(window.get());
    EXPECT_TRUE(IsRectValue(RootKey, L"WindowPos", expected));
    EXPECT_TRUE(IsDwordValue(RootKey, L"Maximized", 0));
}

TEST_F(StoreWindowPlacement, SaveOfAMaximizedWindowKeepsItsRestoredRectangle)
{
    const UniqueWindow window = CreateTopLevelWindow();
    ASSERT_TRUE(window);
    ShowWindow(window.get(), SW_SHOWNORMAL);
    const RECT expected = NormalPosition(window.get());
    ShowWindow(window.get(), SW_MAXIMIZE);
    RECT maximized = {};
    GetWindowRect(window.get(), &maximized);
    ASSERT_FALSE(EqualRect(&maximized, &expected)) << "the window did not change its size";
    SaveWindowPlacement(window.get());
    EXPECT_TRUE(IsRectValue(RootKey, L"WindowPos", expected));
    EXPECT_TRUE(IsDwordValue(RootKey, L"Maximized", 1));
}

TEST_F(StoreWindowPlacement, SaveOfAMaximizedWindowHiddenToTheTray)
{
    const UniqueWindow window = CreateTopLevelWindow();
    ASSERT_TRUE(window);
    ShowWindow(window.get(), SW_SHOWNORMAL);
    const RECT expected = NormalPosition(window.get());
    ShowWindow(window.get(), SW_MAXIMIZE);
    ShowWindow(window.get(), SW_MINIMIZE);
    ShowWindow(window.get(), SW_HIDE);
    SaveWindowPlacement(window.get());
    EXPECT_TRUE(IsRectValue(RootKey, L"WindowPos", expected));
    EXPECT_TRUE(IsDwordValue(RootKey, L"Maximized", 1));
}

TEST_F(StoreWindowPlacement, SaveOfANormalWindowHiddenToTheTray)
{
    const UniqueWindow window = CreateTopLevelWindow();
    ASSERT_TRUE(window);
    ShowWindow(window.get(), SW_SHOWNORMAL);
    ShowWindow(window.get(), SW_MINIMIZE);
    ShowWindow(window.get(), SW_HIDE);
    SaveWindowPlacement(window.get());
    EXPECT_TRUE(IsDwordValue(RootKey, L"Maximized", 0));
}

TEST_F(StoreWindowPlacement, SaveOfAGoneWindowWritesNothing)
{
    HWND window = CreateTopLevelWindow().release();
    ASSERT_NE(nullptr, window);
    DestroyWindow(window);
    SaveWindowPlacement(window);
    EXPECT_FALSE(KeyExists(RootKey));
}

TEST_F(StoreWindowPlacement, SavedPlacementLoadsBack)
{
    const UniqueWindow window = CreateTopLevelWindow();
    ASSERT_TRUE(window);
    ShowWindow(window.get(), SW_SHOWMAXIMIZED);
    const RECT expected = NormalPosition(window.get());
    SaveWindowPlacement(window.get());
    CSettings settings;
    EXPECT_TRUE(LoadWindowPlacement(settings));
    EXPECT_TRUE(IsRectEqual(settings.m_windowRect, expected));
    EXPECT_TRUE(settings.m_maximized);
}

MONITORINFO Monitor(const RECT& monitor, const RECT& work, bool primary)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    info.rcMonitor = monitor;
    info.rcWork = work;
    info.dwFlags = primary ? MONITORINFOF_PRIMARY : 0;
    return info;
}

// Wine keeps the work area of its desktop at the whole screen (SPI_SETWORKAREA changes
// only what the calling process reads back), so the taskbars are given here.
TEST(MainWindowPlace, StoredPlaceIsReadInTheWorkAreaOfItsMonitor)
{
    const RECT stored = {100, 80, 740, 560};
    const struct
    {
        const char* setting;
        MONITORINFO monitor;
        RECT screen;
    } cases[] = {
        {"taskbar at the bottom", Monitor({0, 0, 1280, 800}, {0, 0, 1280, 760}, true), stored},
        {"taskbar at the top",
         Monitor({0, 0, 1280, 800}, {0, 40, 1280, 800}, true),
         {100, 120, 740, 600}},
        {"taskbar at the left",
         Monitor({0, 0, 1280, 800}, {62, 0, 1280, 800}, true),
         {162, 80, 802, 560}},
        {"monitor left of and above the primary, taskbar at its top",
         Monitor({-1920, -300, 0, 780}, {-1920, -260, 0, 780}, false),
         {100, 120, 740, 600}},
    };
    for (const auto& place : cases)
    {
        SCOPED_TRACE(place.setting);
        EXPECT_TRUE(
            IsRectEqual(CMainWindowPlace::WorkspaceToScreen(stored, place.monitor), place.screen));
    }
}

TEST(MainWindowPlace, MaximizedFillsTheWorkAreaWithTheFrameBeyondIt)
{
    const struct
    {
        const char* setting;
        MONITORINFO monitor;
        POINT position;
        POINT size;
    } cases[] = {
        {"taskbar at the bottom",
         Monitor({0, 0, 1280, 800}, {0, 0, 1280, 760}, true),
         {-4, -4},
         {1288, 768}},
        {"taskbar at the top",
         Monitor({0, 0, 1280, 800}, {0, 40, 1280, 800}, true),
         {-4, 36},
         {1288, 768}},
        {"taskbar at the left",
         Monitor({0, 0, 1280, 800}, {62, 0, 1280, 800}, true),
         {58, -4},
         {1226, 808}},
    };
    for (const auto& place : cases)
    {
        SCOPED_TRACE(place.setting);
        MINMAXINFO info = {};
        info.ptMaxPosition = {-7, -7};
        info.ptMaxSize = {-7, -7};
        info.ptMinTrackSize = {600, 400};
        CMainWindowPlace::FitMaximized(info, place.monitor, SIZE{4, 4});
        EXPECT_EQ(place.position.x, info.ptMaxPosition.x);
        EXPECT_EQ(place.position.y, info.ptMaxPosition.y);
        EXPECT_EQ(place.size.x, info.ptMaxSize.x);
        EXPECT_EQ(place.size.y, info.ptMaxSize.y);
        EXPECT_EQ(600, info.ptMinTrackSize.x) << "the smallest size was touched";
    }
}

// What the main window does at start: created at the screen rectangle, then given the
// stored place; saved again, the place is the same to the pixel.
TEST_F(StoreWindowPlacement, ShownAtTheStoredPlaceItSavesTheSamePlace)
{
    for (const bool maximized : {false, true})
    {
        SCOPED_TRACE(maximized ? "maximized" : "normal");
        const RECT stored = {60, 70, 760, 570};
        const CMainWindowPlace place(stored, SIZE{600, 400});
        const RECT& rect = place.GetScreenRect();
        const UniqueWindow window(CreateWindowExW(0, L"STATIC", L"Placement", WS_OVERLAPPEDWINDOW,
                                                  rect.left, rect.top, rect.right - rect.left,
                                                  rect.bottom - rect.top, nullptr, nullptr,
                                                  GetModuleHandleW(nullptr), nullptr));
        ASSERT_TRUE(window);
        place.Show(window.get(), maximized);
        EXPECT_EQ(maximized, IsZoomed(window.get()) != FALSE);
        SaveWindowPlacement(window.get());
        EXPECT_TRUE(IsRectValue(RootKey, L"WindowPos", stored));
        EXPECT_TRUE(IsDwordValue(RootKey, L"Maximized", maximized ? 1 : 0));
    }
}
} // namespace
