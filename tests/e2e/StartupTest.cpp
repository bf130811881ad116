// Start-up, single instance, window placement and shut-down, seen from outside
// the program.

#include <gtest/gtest.h>

#include "tests/support/CrossProcessInput.h"
#include "tests/support/Harness.h"
#include "tests/support/Registry.h"
#include "tests/support/ProgramTest.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace e2e;
using namespace test_support;

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

// The functions a program imports by name from one DLL, from its import table.
std::vector<std::string> ImportedFunctions(const std::wstring& program, const char* dll)
{
    std::vector<std::string> names;
    const HMODULE mapped = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (mapped == nullptr)
        return names;
    // The low bits of the handle mark a resource mapping; the image starts below them.
    const auto* base =
        reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(mapped) & ~ULONG_PTR(3));
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* library =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         imports.VirtualAddress != 0 && library->Name != 0; ++library)
    {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + library->Name), dll) != 0)
            continue;
        for (auto* thunk =
                 reinterpret_cast<const IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
             thunk->u1.AddressOfData != 0; ++thunk)
            if (!IMAGE_SNAP_BY_ORDINAL(thunk->u1.Ordinal))
                names.emplace_back(
                    reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + thunk->u1.AddressOfData)
                        ->Name);
    }
    FreeLibrary(mapped);
    return names;
}

bool Contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The window frame that a maximized window keeps beyond the work area, read from the
// window itself: the left border and the bottom border.
RECT MaximizedRectOn(HWND window, const RECT& work)
{
    const RECT outer = WindowRect(window);
    RECT client = {};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    RECT expected = work;
    InflateRect(&expected, client.left - outer.left, outer.bottom - client.bottom);
    return expected;
}

class StartupTest : public CProgramTest
{
protected:
    StartupTest() : CProgramTest(EProgramKey::Deleted) {}

    void TearDown() override
    {
        m_first.Kill();
        m_second.Kill();
        CProgramTest::TearDown();
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
    const std::vector<std::wstring> settingsBefore = DumpValues(ProgramRoot);

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
    ASSERT_TRUE(
        DragFrame(window, {before.left + 120, captionY}, {before.left + 180, captionY + 40}));
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
    // It fills the work area of its monitor, as the maximize box does: the taskbar stays
    // in sight.
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor));
    EXPECT_TRUE(RectEquals(MaximizedRectOn(window, monitor.rcWork), WindowRect(window)));

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

// Windows registers the SysLink class of the item editor only for a program that asks
// for it: without, the editor could not be created and would count as cancelled. Wine's
// common controls register every class as they load, so the import is what is checked.
// SetDefaultDllDirectories is looked up, not imported: Windows 7 without its update lacks
// it, and the program would not start there.
TEST(StartupImports, CommonControlsAreAskedForAndTheDllSearchCallIsLookedUp)
{
    const std::wstring program = ExecutableDirectory() + L"pathmoor.exe";
    const std::vector<std::string> controls = ImportedFunctions(program, "comctl32.dll");
    EXPECT_TRUE(Contains(controls, "InitCommonControlsEx"))
        << controls.size() << " functions imported from comctl32.dll";
    const std::vector<std::string> kernel = ImportedFunctions(program, "kernel32.dll");
    EXPECT_FALSE(kernel.empty()) << "the import table was not read";
    EXPECT_FALSE(Contains(kernel, "SetDefaultDllDirectories"));
}
