#include "tests/support/unit/MainWindowTest.h"

#include <shlwapi.h>

#include "tests/support/Registry.h"

#include "views/ListItemWindow.h"

namespace test_support
{
void DeleteProgramKey()
{
    SHDeleteKeyW(HKEY_CURRENT_USER, ProgramKey.c_str());
}

void MarkReturningUser()
{
    WriteDword(ProgramKey, L"FirstLaunch", 0);
}

// The stored text, read without a message, as another process's GetWindowTextW reads it.
std::wstring WindowText(const CListItemWindow& window)
{
    wchar_t text[256] = L"";
    InternalGetWindowText(window.GetHwnd(), text, 256);
    return text;
}

void CMainWindowTest::SetUp()
{
    DeleteProgramKey();
    MarkReturningUser();
    CListItemWindow::RegisterListItemClass();
    m_mainWnd = std::make_unique<CMainWnd>();
    ASSERT_EQ(m_mainWnd.get(), CMainWnd::Instance(m_mainWnd.get()))
        << "the main window is fixed once per process: run one such test per process";
    ASSERT_TRUE(m_mainWnd->Create());
    m_catalogue = m_mainWnd->GetCatalogue();
    ASSERT_NE(nullptr, m_catalogue);
}

void CMainWindowTest::TearDown()
{
    m_mainWnd.reset();
    DeleteProgramKey();
}
} // namespace test_support
