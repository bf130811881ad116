#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/MainWnd.h"

class CCatalogue;
class CListItemWindow;

namespace test_support
{
// Deletes HKEY_CURRENT_USER\Software\Quillbrook\Pathmoor with everything under it.
void DeleteProgramKey();
// Stores the marker of an earlier run, so that a main window starts without the defaults
// of a user's very first start.
void MarkReturningUser();

// The text of a row or header window, which other processes read as the entry's name.
std::wstring WindowText(const CListItemWindow& window);

// A test with the program's main window, which receives the entries' hotkeys, created
// from an empty registry. CMainWnd::Instance is fixed once per process, so each such test
// needs a process of its own, as ctest gives it.
class CMainWindowTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<CMainWnd> m_mainWnd;
    CCatalogue* m_catalogue = nullptr;
};
} // namespace test_support
