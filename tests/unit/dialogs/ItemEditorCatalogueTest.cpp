#include "catalogue/ApplicationItem.h"
#include "app/MainWnd.h"
#include "catalogue/Catalogue.h"
#include "resources/resource.h"
#include "tests/support/unit/MainWindowTest.h"
#include "tests/support/unit/MessageBoxCloser.h"
#include "tests/support/unit/ProgramLoop.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

using test_support::Chord;
using test_support::CModalDriver;
using test_support::CProgramLoop;

namespace
{
const WORD kHotKey = MAKEWORD('Q', HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT);

// The catalogue's add and edit operations with the real editor, filled from inside it.
class DialogsItemEditorCatalogue : public test_support::CMainWindowTest
{
protected:
    void SetUp() override
    {
        CMainWindowTest::SetUp();
        m_tools = m_catalogue->m_applications.AddCategory(L"Zeta tools");
        m_games = m_catalogue->m_applications.AddCategory(L"Zeta games");
        wchar_t path[MAX_PATH] = L"";
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        m_path = path;
    }

    CApplicationItem* Insert(CCategory* category, const std::wstring& name, WORD hotKey)
    {
        auto item = std::make_unique<CApplicationItem>(name, category, m_path, L"", L"", hotKey,
                                                       m_catalogue->m_applications.m_parentWindow);
        CApplicationItem* raw = item.get();
        EXPECT_TRUE(category->InsertItem(std::move(item)));
        return raw;
    }

    // Fills the editor's name and group and presses OK. The closer of the message box that
    // may follow starts only now: it would take the editor for a message box.
    std::function<void(HWND)> Fill(const std::wstring& name, const std::wstring& group)
    {
        return [this, name, group](HWND dialog)
        {
            SetDlgItemTextW(dialog, IDC_NAME_EDIT, name.c_str());
            SendDlgItemMessageW(dialog, IDC_GROUP_COMBO, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>(group.c_str()));
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_GROUP_COMBO, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_GROUP_COMBO)));
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
            m_closer.emplace();
            SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
        };
    }

    void ExpectOneRefusal()
    {
        ASSERT_TRUE(m_closer.has_value()) << "OK was never pressed";
        ASSERT_EQ(1u, m_closer->m_texts.size());
        EXPECT_EQ(L"Item with this name already exists", m_closer->m_texts[0]);
        EXPECT_EQ(L"Error", m_closer->m_captions[0]) << "no caption: the system's default";
    }

    // True when the system refuses the combination to another window: someone holds it.
    bool HotKeyHeld(WORD hotKey)
    {
        const UINT modifiers = MOD_CONTROL | MOD_ALT | MOD_SHIFT;
        if (!RegisterHotKey(nullptr, 0x7000, modifiers, LOBYTE(hotKey)))
            return true;
        UnregisterHotKey(nullptr, 0x7000);
        return false;
    }

    std::optional<test_support::CMessageBoxCloser> m_closer;
    CCategory* m_tools = nullptr;
    CCategory* m_games = nullptr;
    std::wstring m_path;
};

TEST_F(DialogsItemEditorCatalogue, AddPutsTheEntryIntoTheChosenCategory)
{
    CModalDriver driver(
        [this](HWND dialog)
        {
            wchar_t group[256] = L"sentinel";
            GetDlgItemTextW(dialog, IDC_GROUP_COMBO, group, 256);
            EXPECT_EQ(L"Zeta games", std::wstring(group)) << "the category asked from";
            SetDlgItemTextW(dialog, IDC_PATH_EDIT, m_path.c_str());
            Fill(L"Runner", L"Zeta games")(dialog);
        });
    CMainWnd::Dialogs()->AddItem(m_mainWnd->GetHwnd(), ListKind::Applications, L"Zeta games");
    ASSERT_TRUE(driver.m_ran);
    ASSERT_EQ(1u, m_games->m_items.size());
    EXPECT_EQ(L"Runner", m_games->m_items[0]->m_name);
    EXPECT_NE(nullptr, m_games->m_items[0]->m_window) << "the row needs its window";
}

TEST_F(DialogsItemEditorCatalogue, AddRefusesATakenName)
{
    Insert(m_tools, L"Runner", 0);
    CModalDriver driver(
        [this](HWND dialog)
        {
            SetDlgItemTextW(dialog, IDC_PATH_EDIT, m_path.c_str());
            Fill(L"RUNNER", L"Zeta tools")(dialog);
        });
    CMainWnd::Dialogs()->AddItem(m_mainWnd->GetHwnd(), ListKind::Applications, L"");
    ASSERT_TRUE(driver.m_ran);
    ExpectOneRefusal();
    ASSERT_EQ(1u, m_tools->m_items.size());
    EXPECT_EQ(L"Runner", m_tools->m_items[0]->m_name);
}

TEST_F(DialogsItemEditorCatalogue, EditRefusesTheNameOfAnotherEntry)
{
    Insert(m_tools, L"Alpha", 0);
    CApplicationItem* beta = Insert(m_tools, L"Beta", 0);
    CModalDriver driver(Fill(L"alpha", L"Zeta tools"));
    CMainWnd::Dialogs()->EditItem(m_mainWnd->GetHwnd(), ListKind::Applications, *beta);
    ASSERT_TRUE(driver.m_ran);
    ExpectOneRefusal();
    EXPECT_EQ(L"Beta", beta->m_name);
}

TEST_F(DialogsItemEditorCatalogue, EditInPlaceTakesTheNewValues)
{
    CApplicationItem* item = Insert(m_tools, L"Alpha", kHotKey);
    CModalDriver driver(
        [this](HWND dialog)
        {
            SetDlgItemTextW(dialog, IDC_ARGUMENTS_EDIT, L"--fast");
            Fill(L"ALPHA", L"Zeta tools")(dialog);
        });
    CMainWnd::Dialogs()->EditItem(m_mainWnd->GetHwnd(), ListKind::Applications, *item);
    ASSERT_TRUE(driver.m_ran);
    ASSERT_EQ(1u, m_tools->m_items.size());
    EXPECT_EQ(L"ALPHA", item->m_name) << "a change of case only is applied";
    ASSERT_NE(nullptr, item->m_window);
    EXPECT_EQ(L"ALPHA", test_support::WindowText(*item->m_window));
    EXPECT_EQ(L"--fast", item->GetArguments());
    EXPECT_EQ(kHotKey, item->GetHotKey());
    EXPECT_TRUE(HotKeyHeld(kHotKey)) << "the hotkey must stay registered";
}

TEST_F(DialogsItemEditorCatalogue, EditKeepsANewHotKeyAnotherProgramHoldsAndSaysSo)
{
    CApplicationItem* item = Insert(m_tools, L"Alpha", 0);
    constexpr int heldId = 0x7001;
    CModalDriver driver(
        [this](HWND dialog)
        {
            NMHDR link = {GetDlgItem(dialog, IDC_ADVANCED_LINK), IDC_ADVANCED_LINK,
                          static_cast<UINT>(NM_CLICK)};
            SendMessageW(dialog, WM_NOTIFY, IDC_ADVANCED_LINK, reinterpret_cast<LPARAM>(&link));
            ASSERT_TRUE(test_support::FocusControl(GetDlgItem(dialog, IDC_HOTKEY_EDIT)));
            CProgramLoop loop(dialog, false);
            ASSERT_TRUE(loop.Type(Chord({VK_CONTROL, VK_MENU, VK_SHIFT, 'Q'})));
            // This thread stands in for the other program, once the keys reached the field.
            ASSERT_TRUE(RegisterHotKey(nullptr, heldId, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'Q'));
            Fill(L"Alpha", L"Zeta tools")(dialog);
        });
    CMainWnd::Dialogs()->EditItem(m_mainWnd->GetHwnd(), ListKind::Applications, *item);
    UnregisterHotKey(nullptr, heldId);
    test_support::ReleaseModifiers();
    ASSERT_TRUE(driver.m_ran);
    ASSERT_TRUE(m_closer.has_value()) << "OK was never pressed";
    EXPECT_EQ((std::vector<std::wstring>{L"Another program or Windows holds this shortcut key. It "
                                         L"is kept, but it does not work until it is free."}),
              m_closer->m_texts);
    EXPECT_EQ(kHotKey, item->GetHotKey()) << "the combination is kept";
    EXPECT_EQ(-1, item->m_hotKeyId);
}

TEST_F(DialogsItemEditorCatalogue, MoveKeepsTheHotKeyRegistered)
{
    CApplicationItem* item = Insert(m_tools, L"Alpha", kHotKey);
    ASSERT_NE(-1, item->m_hotKeyId) << "the combination could not be registered at all";
    CModalDriver driver(Fill(L"Alpha", L"Zeta games"));
    CMainWnd::Dialogs()->EditItem(m_mainWnd->GetHwnd(), ListKind::Applications, *item);
    ASSERT_TRUE(driver.m_ran);
    EXPECT_TRUE(m_tools->m_items.empty());
    ASSERT_EQ(1u, m_games->m_items.size());
    auto* moved = dynamic_cast<CApplicationItem*>(m_games->m_items[0].get());
    ASSERT_NE(nullptr, moved);
    EXPECT_EQ(kHotKey, moved->GetHotKey());
    ASSERT_NE(nullptr, moved->m_window);
    EXPECT_EQ(L"Alpha", test_support::WindowText(*moved->m_window));
    EXPECT_NE(-1, moved->m_hotKeyId);
    EXPECT_TRUE(HotKeyHeld(kHotKey)) << "the moved entry must hold the hotkey";
    EXPECT_EQ(moved, m_catalogue->FindApplicationByHotKeyId(moved->m_hotKeyId));
}
} // namespace
