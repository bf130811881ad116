#include "tests/unit/toolkit/RecordingWindow.h"
#include "toolkit/Application.h"

#include <gtest/gtest.h>

using toolkit_test::CRecordingWindow;

namespace
{
OSVERSIONINFOW Version(DWORD platform, DWORD major, DWORD minor)
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    info.dwPlatformId = platform;
    info.dwMajorVersion = major;
    info.dwMinorVersion = minor;
    return info;
}

void ExpectClass(int expected, DWORD platform, DWORD major, DWORD minor, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line << " for " << major << "."
                                    << minor << " platform " << platform);
    EXPECT_EQ(expected, CApplication::OsVersionClass(Version(platform, major, minor)));
}

TEST(ToolkitApplication, InstanceIsOneObject)
{
    EXPECT_EQ(&CApplication::Instance(), &CApplication::Instance());
}

TEST(ToolkitApplication, InstanceHandleRoundTrips)
{
    CApplication& application = CApplication::Instance();
    const HINSTANCE saved = application.GetInstanceHandle();
    const HINSTANCE other = GetModuleHandleW(L"user32.dll");
    application.SetInstanceHandle(other);
    EXPECT_EQ(other, application.GetInstanceHandle());
    application.SetInstanceHandle(saved);
}

TEST(ToolkitApplication, OsVersionClasses)
{
    ExpectClass(4, VER_PLATFORM_WIN32_NT, 6, 0, __LINE__);
    ExpectClass(4, VER_PLATFORM_WIN32_NT, 6, 1, __LINE__);
    ExpectClass(4, VER_PLATFORM_WIN32_NT, 10, 0, __LINE__);
    ExpectClass(3, VER_PLATFORM_WIN32_NT, 5, 2, __LINE__);
    ExpectClass(3, VER_PLATFORM_WIN32_NT, 5, 3, __LINE__);
    ExpectClass(2, VER_PLATFORM_WIN32_NT, 5, 1, __LINE__);
    ExpectClass(0, VER_PLATFORM_WIN32_NT, 5, 0, __LINE__);
    ExpectClass(0, VER_PLATFORM_WIN32_NT, 4, 0, __LINE__);
    ExpectClass(0, VER_PLATFORM_WIN32_WINDOWS, 6, 0, __LINE__);
}

TEST(ToolkitApplication, RunningSystemIsVistaOrLater)
{
    // Wine reports 6.1; every system this program builds for is at least that.
    EXPECT_EQ(4, CApplication::Instance().GetOsVersion());
}

TEST(ToolkitApplication, WindowMapAddFindRemove)
{
    CApplication& application = CApplication::Instance();
    const HWND hWnd =
        CRecordingWindow::CreateTestWindow(nullptr, WS_POPUP, nullptr, {0, 0, 10, 10});
    ASSERT_NE(nullptr, hWnd);
    CRecordingWindow first;
    CRecordingWindow second;
    EXPECT_EQ(nullptr, application.FindWindowObject(hWnd));
    application.AddWindowObject(hWnd, &first);
    EXPECT_EQ(&first, application.FindWindowObject(hWnd));
    application.AddWindowObject(hWnd, &second);
    EXPECT_EQ(&second, application.FindWindowObject(hWnd)) << "a second entry overwrites";
    application.RemoveWindowObject(hWnd);
    EXPECT_EQ(nullptr, application.FindWindowObject(hWnd));
    application.RemoveWindowObject(hWnd); // absent: nothing happens
    EXPECT_EQ(nullptr, application.FindWindowObject(nullptr));
    DestroyWindow(hWnd);
}
} // namespace
