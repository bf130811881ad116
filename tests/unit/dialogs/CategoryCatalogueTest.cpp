#include "catalogue/ApplicationItem.h"
#include "app/MainWnd.h"
#include "catalogue/Catalogue.h"
#include "resources/resource.h"
#include "store/RegistryNames.h"
#include "tests/support/unit/MainWindowTest.h"
#include "tests/support/unit/MessageBoxCloser.h"
#include "tests/support/unit/ProgramLoop.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using test_support::CModalDriver;

namespace
{
const wchar_t CategoryExists[] = L"Category with this name already exists";
const wchar_t DeletePrompt[] = L"Delete the category with all included items?";

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

// The catalogue's category operations with the real category dialog, typed into from
// inside its modal loop, and the real message boxes, answered by a closer.
class DialogsCategoryCatalogue : public test_support::CMainWindowTest
{
protected:
    void SetUp() override
    {
        CMainWindowTest::SetUp();
        m_tools = m_catalogue->m_applications.AddCategory(L"Tools");
        m_games = m_catalogue->m_applications.AddCategory(L"Games");
    }

    // Types the name and presses OK; a refusal that follows is noted by the closer, which
    // starts only then so that it does not take the dialog for a message box.
    std::function<void(HWND)> Enter(const std::wstring& name)
    {
        return [this, name](HWND dialog)
        {
            SetDlgItemTextW(dialog, IDC_CATEGORY_NAME_EDIT, name.c_str());
            m_closer.emplace();
            SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
        };
    }

    void ExpectRefusal()
    {
        ASSERT_TRUE(m_closer.has_value()) << "OK was never pressed";
        ASSERT_EQ(1u, m_closer->m_texts.size()) << "no refusal was shown";
        EXPECT_EQ(CategoryExists, m_closer->m_texts[0]) << Narrow(m_closer->m_texts[0]);
    }

    std::vector<std::wstring> Names()
    {
        std::vector<std::wstring> names;
        m_catalogue->GetCategoryNames(ListKind::Applications, names);
        return names;
    }

    // Once the main window's writer has stored every change so far.
    bool StoredCategoryExists(const std::wstring& name) const
    {
        m_mainWnd->FlushStore();
        const std::wstring path = std::wstring(RegistryRoot) + ApplicationsKindPath + name;
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    std::optional<test_support::CMessageBoxCloser> m_closer;
    CCategory* m_tools = nullptr;
    CCategory* m_games = nullptr;
};

TEST_F(DialogsCategoryCatalogue, AddCreatesTheCategoryWithItsHeaderAndStoresIt)
{
    CModalDriver driver(Enter(L"  Office  "));
    CMainWnd::Dialogs()->AddCategory(m_mainWnd->GetHwnd(), ListKind::Applications);
    ASSERT_TRUE(driver.m_ran);
    EXPECT_TRUE(m_closer->m_texts.empty()) << "unexpected: " << Narrow(m_closer->m_texts[0]);
    const CCategory* office = m_catalogue->m_applications.FindCategory(L"Office");
    ASSERT_NE(nullptr, office) << "the trimmed name was not added";
    EXPECT_EQ(L"Office", office->m_name);
    EXPECT_NE(nullptr, office->m_window) << "a category needs its header";
    EXPECT_TRUE(StoredCategoryExists(L"Office")) << "the change waits for the shut-down";
}

TEST_F(DialogsCategoryCatalogue, AddRefusesANameTheListHasInOtherLetters)
{
    CModalDriver driver(Enter(L"TOOLS"));
    CMainWnd::Dialogs()->AddCategory(m_mainWnd->GetHwnd(), ListKind::Applications);
    ASSERT_TRUE(driver.m_ran);
    ExpectRefusal();
    EXPECT_EQ((std::vector<std::wstring>{L"Games", L"Tools"}), Names());
}

TEST_F(DialogsCategoryCatalogue, AddToTheShortcutsDoesNotLookAtTheApplications)
{
    CModalDriver driver(Enter(L"Tools"));
    CMainWnd::Dialogs()->AddCategory(m_mainWnd->GetHwnd(), ListKind::Shortcuts);
    ASSERT_TRUE(driver.m_ran);
    EXPECT_TRUE(m_closer->m_texts.empty()) << "refused: " << Narrow(m_closer->m_texts[0]);
    EXPECT_NE(nullptr, m_catalogue->m_shortcuts.FindCategory(L"Tools"));
}

TEST_F(DialogsCategoryCatalogue, RenameToAnotherCategorysNameIsRefused)
{
    CModalDriver driver(Enter(L"tools"));
    CMainWnd::Dialogs()->EditCategory(m_mainWnd->GetHwnd(), ListKind::Applications, *m_games);
    ASSERT_TRUE(driver.m_ran);
    ExpectRefusal();
    EXPECT_EQ(L"Games", m_games->m_name);
}

TEST_F(DialogsCategoryCatalogue, RenameOfTheLetterCaseOnlyIsTakenWithoutATest)
{
    CModalDriver driver(
        [this](HWND dialog)
        {
            wchar_t shown[128] = L"sentinel";
            GetDlgItemTextW(dialog, IDC_CATEGORY_NAME_EDIT, shown, 128);
            EXPECT_EQ(L"Tools", std::wstring(shown)) << "the dialog starts from the old name";
            Enter(L"TOOLS")(dialog);
        });
    CMainWnd::Dialogs()->EditCategory(m_mainWnd->GetHwnd(), ListKind::Applications, *m_tools);
    ASSERT_TRUE(driver.m_ran);
    EXPECT_TRUE(m_closer->m_texts.empty()) << "refused: " << Narrow(m_closer->m_texts[0]);
    EXPECT_EQ(L"TOOLS", m_tools->m_name);
}

TEST_F(DialogsCategoryCatalogue, RenameKeepsTheEntriesAndTheirHeaderWindow)
{
    ASSERT_TRUE(m_tools->InsertItem(
        std::make_unique<CApplicationItem>(L"Editor", m_tools, L"C:\\windows\\notepad.exe", L"",
                                           L"", 0, m_catalogue->m_applications.m_parentWindow)));
    const HWND header = m_tools->m_window->GetHwnd();
    CModalDriver driver(Enter(L"Utilities"));
    CMainWnd::Dialogs()->EditCategory(m_mainWnd->GetHwnd(), ListKind::Applications, *m_tools);
    ASSERT_TRUE(driver.m_ran);
    EXPECT_EQ(L"Utilities", m_tools->m_name);
    ASSERT_EQ(1u, m_tools->m_items.size());
    EXPECT_EQ(L"Editor", m_tools->m_items[0]->m_name);
    EXPECT_EQ(header, m_tools->m_window->GetHwnd());
    EXPECT_EQ(L"Utilities", test_support::WindowText(*m_tools->m_window));
    EXPECT_EQ(L"Editor", test_support::WindowText(*m_tools->m_items[0]->m_window));
    EXPECT_TRUE(StoredCategoryExists(L"Utilities"));
    EXPECT_FALSE(StoredCategoryExists(L"Tools")) << "the old key outlived the rename";
}

TEST_F(DialogsCategoryCatalogue, CancelledRenameChangesNothing)
{
    CModalDriver driver(
        [](HWND dialog)
        {
            SetDlgItemTextW(dialog, IDC_CATEGORY_NAME_EDIT, L"Other");
            SendDlgItemMessageW(dialog, IDCANCEL, BM_CLICK, 0, 0);
        });
    CMainWnd::Dialogs()->EditCategory(m_mainWnd->GetHwnd(), ListKind::Applications, *m_tools);
    ASSERT_TRUE(driver.m_ran);
    EXPECT_EQ(L"Tools", m_tools->m_name);
}

TEST_F(DialogsCategoryCatalogue, DeleteAnsweredNoKeepsTheCategory)
{
    test_support::CMessageBoxCloser closer(IDNO);
    CMainWnd::Dialogs()->DeleteCategory(m_mainWnd->GetHwnd(), ListKind::Applications, L"Tools");
    ASSERT_EQ(1u, closer.m_texts.size());
    EXPECT_EQ(DeletePrompt, closer.m_texts[0]) << Narrow(closer.m_texts[0]);
    EXPECT_EQ((std::vector<std::wstring>{L"Games", L"Tools"}), Names());
}

TEST_F(DialogsCategoryCatalogue, DeleteAnsweredYesTakesTheEntriesAndTheirHotKeys)
{
    const WORD hotKey = MAKEWORD('J', HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT);
    ASSERT_TRUE(m_tools->InsertItem(std::make_unique<CApplicationItem>(
        L"Editor", m_tools, L"C:\\windows\\notepad.exe", L"", L"", hotKey,
        m_catalogue->m_applications.m_parentWindow)));
    ASSERT_FALSE(RegisterHotKey(nullptr, 0x7001, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'J'))
        << "the entry did not hold its hotkey";
    {
        test_support::CMessageBoxCloser closer(IDYES);
        CMainWnd::Dialogs()->DeleteCategory(m_mainWnd->GetHwnd(), ListKind::Applications, L"tools");
        ASSERT_EQ(1u, closer.m_texts.size());
    }
    EXPECT_EQ((std::vector<std::wstring>{L"Games"}), Names());
    EXPECT_TRUE(RegisterHotKey(nullptr, 0x7001, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'J'))
        << "the deleted entry kept its hotkey";
    UnregisterHotKey(nullptr, 0x7001);
    EXPECT_FALSE(StoredCategoryExists(L"Tools"));
}
} // namespace
