#include "tests/unit/catalogue/MainWindowTest.h"

#include <shlwapi.h>

#include "views/ListItemWindow.h"

namespace catalogue_test
{
void DeleteProgramKey()
{
    SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Quillbrook\\Pathmoor");
}

void MarkReturningUser()
{
    const DWORD zero = 0;
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Quillbrook\\Pathmoor", L"FirstLaunch", REG_DWORD,
                    &zero, sizeof(zero));
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
} // namespace catalogue_test
