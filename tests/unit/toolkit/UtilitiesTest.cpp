#include "tests/unit/toolkit/RecordingWindow.h"
#include "toolkit/Utilities.h"

#include <gtest/gtest.h>

#include <climits>

using toolkit_test::CRecordingWindow;

namespace
{
std::wstring ModulePath()
{
    wchar_t path[MAX_PATH];
    wmemset(path, L'#', MAX_PATH);
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, length);
}

TEST(ToolkitUtilities, LoadResStringReadsTheStringTable)
{
    EXPECT_EQ(L"Failed to create window class", LoadResString(2000));
    EXPECT_EQ(L"", LoadResString(64999)) << "no such string";
}

TEST(ToolkitUtilities, IntToString)
{
    EXPECT_EQ(L"0", IntToString(0));
    EXPECT_EQ(L"-42", IntToString(-42));
    EXPECT_EQ(L"2147483647", IntToString(INT_MAX));
    EXPECT_EQ(L"-2147483648", IntToString(INT_MIN));
}

TEST(ToolkitUtilities, TrimWhitespace)
{
    EXPECT_EQ(L"a b", TrimWhitespace(L" \t\r\na b\n\r\t "));
    EXPECT_EQ(L"", TrimWhitespace(L"\t \n"));
    EXPECT_EQ(L"", TrimWhitespace(L""));
    EXPECT_EQ(L"x", TrimWhitespace(L"x"));
    EXPECT_EQ(L"in\tside", TrimWhitespace(L"in\tside"));
    // Only blanks, tabs, carriage returns and line feeds count.
    EXPECT_EQ(L"\u00a0x\u00a0", TrimWhitespace(L" \u00a0x\u00a0 "));
}

TEST(ToolkitUtilities, ToLowerHandlesNonAsciiLetters)
{
    EXPECT_EQ(L"abc \u00e4\u00f6\u00fc \u00e9 \u03b1\u03b2\u03b3 \u0434\u0436 1-2",
              ToLower(L"ABC \u00c4\u00d6\u00dc \u00c9 \u0391\u0392\u0393 \u0414\u0416 1-2"));
    EXPECT_EQ(L"", ToLower(L""));
}

TEST(ToolkitUtilities, GetPathDirectory)
{
    EXPECT_EQ(L"C:\\dir\\", GetPathDirectory(L"C:\\dir\\file.txt"));
    EXPECT_EQ(L"C:\\dir\\", GetPathDirectory(L"C:\\dir\\")) << "trailing backslash";
    EXPECT_EQ(L"C:\\", GetPathDirectory(L"C:\\"));
    EXPECT_EQ(L"", GetPathDirectory(L"file.txt"));
}

TEST(ToolkitUtilities, GetPathFileName)
{
    EXPECT_EQ(L"file.txt", GetPathFileName(L"C:\\dir\\file.txt"));
    EXPECT_EQ(L"", GetPathFileName(L"C:\\dir\\")) << "trailing backslash";
    EXPECT_EQ(L"", GetPathFileName(L"file.txt")) << "no backslash";
}

TEST(ToolkitUtilities, GetFileExtension)
{
    EXPECT_EQ(L"gz", GetFileExtension(L"archive.tar.gz"));
    EXPECT_EQ(L"EXE", GetFileExtension(L"C:\\Tools\\App.EXE"));
    EXPECT_EQ(L"", GetFileExtension(L"README"));
    EXPECT_EQ(L"", GetFileExtension(L"name."));
    // A point in a folder name does not make an extension.
    EXPECT_EQ(L"", GetFileExtension(L"C:\\app.v2\\tool"));
    EXPECT_EQ(L"txt", GetFileExtension(L"C:\\app.v2\\notes.txt"));
}

TEST(ToolkitUtilities, RemoveFileExtension)
{
    EXPECT_EQ(L"archive.tar", RemoveFileExtension(L"archive.tar.gz"));
    EXPECT_EQ(L"C:\\Tools\\App", RemoveFileExtension(L"C:\\Tools\\App.EXE"));
    EXPECT_EQ(L"", RemoveFileExtension(L"README")) << "no point";
    EXPECT_EQ(L"", RemoveFileExtension(L"C:\\app.v2\\tool")) << "point only in a folder";
    EXPECT_EQ(L".hidden", RemoveFileExtension(L".hidden.ini"));
}

// Entries dropped or browsed for are named by these two: a name with a backslash would
// split its registry key, so no separator may survive.
TEST(ToolkitUtilities, LastPathComponentAndFileNameStem)
{
    EXPECT_EQ(L"Data", LastPathComponent(L"C:\\Data\\")) << "closing backslash";
    EXPECT_EQ(L"Data", LastPathComponent(L"C:\\Data\\\\"));
    EXPECT_EQ(L"My.Docs", LastPathComponent(L"C:\\My.Docs"));
    EXPECT_EQ(L"C:", LastPathComponent(L"C:\\")) << "a drive root is its drive";
    EXPECT_EQ(L"share", LastPathComponent(L"\\\\server\\share\\"));
    EXPECT_EQ(L"app.exe", LastPathComponent(L"C:/Tools/app.exe")) << "slashes separate too";
    EXPECT_EQ(L"", LastPathComponent(L"\\\\"));
    EXPECT_EQ(L"", LastPathComponent(L""));

    EXPECT_EQ(L"archive.tar", FileNameStem(L"archive.tar.gz", false));
    EXPECT_EQ(L"README", FileNameStem(L"README", false)) << "no point: the whole name";
    EXPECT_EQ(L"", FileNameStem(L".exe", false));
    EXPECT_EQ(L".exe", FileNameStem(L".exe", true)) << "an extension only, kept";
    EXPECT_EQ(L".", FileNameStem(L"..lnk", true));
}

TEST(ToolkitUtilities, FileExists)
{
    const std::wstring module = ModulePath();
    ASSERT_FALSE(module.empty());
    EXPECT_TRUE(FileExists(module));
    EXPECT_FALSE(FileExists(GetPathDirectory(module))) << "a directory is no file";
    EXPECT_FALSE(FileExists(module + L".missing"));
    EXPECT_FALSE(FileExists(L""));
}

TEST(ToolkitUtilities, ScreenRectToClient)
{
    const HWND hWnd =
        CRecordingWindow::CreateTestWindow(nullptr, WS_POPUP, nullptr, {100, 50, 300, 250});
    ASSERT_NE(nullptr, hWnd);
    POINT origin = {0, 0};
    ClientToScreen(hWnd, &origin);
    RECT rect = {origin.x + 5, origin.y + 6, origin.x + 25, origin.y + 36};
    ScreenRectToClient(hWnd, &rect);
    EXPECT_EQ(5, rect.left);
    EXPECT_EQ(6, rect.top);
    EXPECT_EQ(25, rect.right);
    EXPECT_EQ(36, rect.bottom);
    DestroyWindow(hWnd);
}

// A point left of or above a window (with the capture, or on a monitor left of the
// primary one) is negative; read unsigned it would lie some 65000 pixels away.
TEST(ToolkitUtilities, PointsOfMouseMessagesAreSigned)
{
    const POINT point = PointFromLParam(MAKELPARAM(-12, -3));
    EXPECT_EQ(-12, point.x);
    EXPECT_EQ(-3, point.y);

    const HWND hWnd =
        CRecordingWindow::CreateTestWindow(nullptr, WS_POPUP, nullptr, {100, 50, 300, 250});
    ASSERT_NE(nullptr, hWnd);
    POINT origin = {0, 0};
    ClientToScreen(hWnd, &origin);
    const POINT screen = ScreenPointFromLParam(hWnd, MAKELPARAM(-120, 7));
    EXPECT_EQ(origin.x - 120, screen.x);
    EXPECT_EQ(origin.y + 7, screen.y);
    DestroyWindow(hWnd);
}
} // namespace
