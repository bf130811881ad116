#include "catalogue/ApplicationItem.h"
#include "catalogue/Catalogue.h"
#include "catalogue/ShortcutItem.h"
#include "tests/support/unit/MainWindowTest.h"
#include "tests/support/unit/MessageBoxCloser.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using test_support::CMainWindowTest;
using test_support::CMessageBoxCloser;

namespace
{
// Combinations nobody else is expected to hold, as shell-link words and as the
// RegisterHotKey modifiers they stand for.
constexpr WORD CtrlAltF20 = MAKEWORD(VK_F20, HOTKEYF_CONTROL | HOTKEYF_ALT);
constexpr WORD CtrlAltF21 = MAKEWORD(VK_F21, HOTKEYF_CONTROL | HOTKEYF_ALT);
constexpr WORD ShiftAltF22 = MAKEWORD(VK_F22, HOTKEYF_SHIFT | HOTKEYF_ALT);
constexpr int ProbeId = 0x7A11;

// Tries to take the combination of a word for this thread. ERROR_HOTKEY_ALREADY_REGISTERED
// (1409) means that the program holds it; 0 means that it was free (and is free again).
DWORD ProbeCombination(WORD hotKey)
{
    UINT modifiers = 0;
    if (HIBYTE(hotKey) & HOTKEYF_CONTROL)
        modifiers |= MOD_CONTROL;
    if (HIBYTE(hotKey) & HOTKEYF_ALT)
        modifiers |= MOD_ALT;
    if (HIBYTE(hotKey) & HOTKEYF_SHIFT)
        modifiers |= MOD_SHIFT;
    SetLastError(0xDEADBEEF);
    if (RegisterHotKey(nullptr, ProbeId, modifiers, LOBYTE(hotKey)))
    {
        UnregisterHotKey(nullptr, ProbeId);
        return 0;
    }
    return GetLastError();
}

void ExpectHeld(WORD hotKey, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    EXPECT_EQ(static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED), ProbeCombination(hotKey));
}

void ExpectFree(WORD hotKey, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    EXPECT_EQ(0u, ProbeCombination(hotKey));
}

class CatalogueHotKey : public CMainWindowTest
{
protected:
    void SetUp() override
    {
        CMainWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        m_first = m_list.AddCategory(L"First");
        m_second = m_list.AddCategory(L"Second");
    }

    CApplicationItem* InsertApplication(CCategory* category, const std::wstring& name, WORD hotKey)
    {
        auto item = std::make_unique<CApplicationItem>(name, category, L"C:\\" + name + L".exe",
                                                       L"", L"", hotKey, nullptr);
        CApplicationItem* raw = item.get();
        return category->InsertItem(std::move(item)) ? raw : nullptr;
    }

    CShortcutItem* InsertShortcut(CCategory* category, const std::wstring& name, WORD hotKey)
    {
        auto item = std::make_unique<CShortcutItem>(name, category, L"C:\\" + name + L".txt", L"",
                                                    L"", hotKey, nullptr);
        CShortcutItem* raw = item.get();
        return category->InsertItem(std::move(item)) ? raw : nullptr;
    }

    // A list of the test's own, without windows; hotkeys go to the main window all the same.
    CApplicationCategorizedList m_list;
    CCategory* m_first = nullptr;
    CCategory* m_second = nullptr;
};
} // namespace

TEST_F(CatalogueHotKey, IdsStartAtTwoAndOnlyGrow)
{
    CCatalogue catalogue;
    const HWND mainWindow = m_mainWnd->GetHwnd();
    EXPECT_EQ(2, catalogue.RegisterCatalogueHotKey(CtrlAltF20));
    SetLastError(0xDEADBEEF);
    EXPECT_EQ(-1, catalogue.RegisterCatalogueHotKey(CtrlAltF20)) << "the combination is taken";
    EXPECT_EQ(static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED), GetLastError());
    EXPECT_EQ(3, catalogue.m_lastHotKeyId) << "a refused registration uses up its id";
    EXPECT_EQ(4, catalogue.RegisterCatalogueHotKey(CtrlAltF21));
    EXPECT_EQ(5, catalogue.RegisterCatalogueHotKey(ShiftAltF22));
    EXPECT_TRUE(UnregisterHotKey(mainWindow, 2));
    EXPECT_TRUE(UnregisterHotKey(mainWindow, 4));
    EXPECT_TRUE(UnregisterHotKey(mainWindow, 5));
}

TEST_F(CatalogueHotKey, ModifiersComeFromTheHighByte)
{
    CCatalogue catalogue;
    // HOTKEYF_EXT plays no part in the combination.
    const WORD withExtFlag = MAKEWORD(VK_F20, HOTKEYF_SHIFT | HOTKEYF_ALT | HOTKEYF_EXT);
    ASSERT_EQ(2, catalogue.RegisterCatalogueHotKey(withExtFlag));
    ExpectHeld(MAKEWORD(VK_F20, HOTKEYF_SHIFT | HOTKEYF_ALT), __LINE__);
    ExpectFree(MAKEWORD(VK_F20, HOTKEYF_CONTROL | HOTKEYF_ALT), __LINE__);
    ExpectFree(MAKEWORD(VK_F20, HOTKEYF_SHIFT), __LINE__);
    ASSERT_EQ(3, catalogue.RegisterCatalogueHotKey(MAKEWORD(VK_F21, HOTKEYF_CONTROL)));
    ExpectHeld(MAKEWORD(VK_F21, HOTKEYF_CONTROL), __LINE__);
    ExpectFree(MAKEWORD(VK_F21, HOTKEYF_ALT), __LINE__);
    UnregisterHotKey(m_mainWnd->GetHwnd(), 2);
    UnregisterHotKey(m_mainWnd->GetHwnd(), 3);
}

TEST_F(CatalogueHotKey, InsertRegistersWithTheMainWindow)
{
    const int before = m_catalogue->m_lastHotKeyId;
    CApplicationItem* item = InsertApplication(m_first, L"Editor", CtrlAltF20);
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(before + 1, item->m_hotKeyId);
    ExpectHeld(CtrlAltF20, __LINE__);
    EXPECT_TRUE(UnregisterHotKey(m_mainWnd->GetHwnd(), item->m_hotKeyId))
        << "registered for the main window under the entry's id";
    item->m_hotKeyId = -1;
}

TEST_F(CatalogueHotKey, ZeroWordDrawsNoId)
{
    const int before = m_catalogue->m_lastHotKeyId;
    CApplicationItem* item = InsertApplication(m_first, L"Editor", 0);
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(-1, item->m_hotKeyId);
    EXPECT_TRUE(item->RegisterItemHotKey());
    EXPECT_EQ(-1, item->m_hotKeyId);
    EXPECT_EQ(before, m_catalogue->m_lastHotKeyId);
}

TEST_F(CatalogueHotKey, RegisteringAgainReplacesTheOldId)
{
    CApplicationItem* item = InsertApplication(m_first, L"Editor", CtrlAltF20);
    ASSERT_NE(nullptr, item);
    const int oldId = item->m_hotKeyId;
    ASSERT_NE(-1, oldId);
    EXPECT_TRUE(item->RegisterItemHotKey());
    EXPECT_GT(item->m_hotKeyId, oldId);
    ExpectHeld(CtrlAltF20, __LINE__);
    SetLastError(0xDEADBEEF);
    EXPECT_FALSE(UnregisterHotKey(m_mainWnd->GetHwnd(), oldId)) << "the old id was given up";
    EXPECT_EQ(static_cast<DWORD>(ERROR_HOTKEY_NOT_REGISTERED), GetLastError());
}

TEST_F(CatalogueHotKey, DeletingAnEntryFreesItsCombinationAtOnce)
{
    ASSERT_NE(nullptr, InsertApplication(m_first, L"Editor", CtrlAltF20));
    ExpectHeld(CtrlAltF20, __LINE__);
    m_first->DeleteItem(L"editor");
    ExpectFree(CtrlAltF20, __LINE__);
}

TEST_F(CatalogueHotKey, DeletingACategoryFreesTheCombinationsOfItsEntries)
{
    ASSERT_NE(nullptr, InsertApplication(m_second, L"Editor", CtrlAltF20));
    ASSERT_NE(nullptr, InsertApplication(m_second, L"Viewer", CtrlAltF21));
    m_list.DeleteCategory(L"Second");
    ExpectFree(CtrlAltF20, __LINE__);
    ExpectFree(CtrlAltF21, __LINE__);
}

TEST_F(CatalogueHotKey, RefusedHotKeyIsKeptAndTriedAgain)
{
    CApplicationItem* first = InsertApplication(m_first, L"Editor", CtrlAltF20);
    ASSERT_NE(nullptr, first);
    const int idAfterFirst = m_catalogue->m_lastHotKeyId;
    CApplicationItem* second = InsertApplication(m_second, L"Other", CtrlAltF20);
    ASSERT_NE(nullptr, second) << "a refused hotkey does not keep the entry out";
    EXPECT_EQ(-1, second->m_hotKeyId);
    EXPECT_EQ(CtrlAltF20, second->GetHotKey()) << "the word survives the refusal";
    EXPECT_EQ(idAfterFirst + 1, m_catalogue->m_lastHotKeyId);
    EXPECT_FALSE(second->RegisterItemHotKey()) << "still held by the first entry";
    EXPECT_EQ(CtrlAltF20, second->GetHotKey());

    m_first->DeleteItem(L"Editor");
    EXPECT_TRUE(second->RegisterItemHotKey());
    EXPECT_NE(-1, second->m_hotKeyId);
    ExpectHeld(CtrlAltF20, __LINE__);
}

TEST_F(CatalogueHotKey, CopyFromRegistersTheNewWord)
{
    CApplicationItem* item = InsertApplication(m_first, L"Editor", CtrlAltF20);
    ASSERT_NE(nullptr, item);
    const int oldId = item->m_hotKeyId;
    const CApplicationItem edited(L"Editor", m_first, L"C:\\ed.exe", L"", L"", CtrlAltF21, nullptr);
    item->CopyFrom(edited);
    EXPECT_EQ(CtrlAltF21, item->GetHotKey());
    EXPECT_GT(item->m_hotKeyId, oldId);
    ExpectFree(CtrlAltF20, __LINE__);
    ExpectHeld(CtrlAltF21, __LINE__);
}

TEST_F(CatalogueHotKey, CloneIsNotRegistered)
{
    CApplicationItem* item = InsertApplication(m_first, L"Editor", CtrlAltF20);
    ASSERT_NE(nullptr, item);
    const int drawn = m_catalogue->m_lastHotKeyId;
    const std::unique_ptr<CListItem> clone = item->Clone();
    EXPECT_EQ(-1, static_cast<CApplicationItem*>(clone.get())->m_hotKeyId);
    EXPECT_EQ(drawn, m_catalogue->m_lastHotKeyId);
}

TEST_F(CatalogueHotKey, RegisterListHotKeysRegistersEveryEntryAgainInListOrder)
{
    CApplicationItem* a = InsertApplication(m_first, L"a", CtrlAltF20);
    CApplicationItem* b = InsertApplication(m_first, L"b", 0);
    CApplicationItem* c = InsertApplication(m_second, L"c", CtrlAltF21);
    CApplicationItem* d = InsertApplication(m_second, L"d", CtrlAltF21);
    ASSERT_TRUE(a && b && c && d);
    ASSERT_EQ(-1, d->m_hotKeyId) << "c holds the combination";
    const int before = m_catalogue->m_lastHotKeyId;

    m_catalogue->RegisterListHotKeys(m_list);
    EXPECT_EQ(before + 1, a->m_hotKeyId);
    EXPECT_EQ(-1, b->m_hotKeyId);
    EXPECT_EQ(before + 2, c->m_hotKeyId);
    EXPECT_EQ(-1, d->m_hotKeyId) << "refused again, under a fresh id";
    EXPECT_EQ(CtrlAltF21, d->GetHotKey());
    EXPECT_EQ(before + 3, m_catalogue->m_lastHotKeyId);
    ExpectHeld(CtrlAltF20, __LINE__);
    ExpectHeld(CtrlAltF21, __LINE__);
}

TEST_F(CatalogueHotKey, LookUpByIdFindsTheEntryOfItsList)
{
    CCategory* tools = m_catalogue->m_applications.AddCategory(L"Hotkey tools");
    auto application =
        std::make_unique<CApplicationItem>(L"Editor", tools, L"", L"", L"", CtrlAltF20, nullptr);
    CApplicationItem* editor = application.get();
    ASSERT_TRUE(tools->InsertItem(std::move(application)));
    CCategory* links = m_catalogue->m_shortcuts.AddCategory(L"Hotkey links");
    auto shortcut =
        std::make_unique<CShortcutItem>(L"Notes", links, L"", L"", L"", CtrlAltF21, nullptr);
    CShortcutItem* notes = shortcut.get();
    ASSERT_TRUE(links->InsertItem(std::move(shortcut)));
    ASSERT_NE(-1, editor->m_hotKeyId);
    ASSERT_NE(-1, notes->m_hotKeyId);

    EXPECT_EQ(editor, m_catalogue->FindApplicationByHotKeyId(editor->m_hotKeyId));
    EXPECT_EQ(nullptr, m_catalogue->FindShortcutByHotKeyId(editor->m_hotKeyId));
    EXPECT_EQ(notes, m_catalogue->FindShortcutByHotKeyId(notes->m_hotKeyId));
    EXPECT_EQ(nullptr, m_catalogue->FindApplicationByHotKeyId(notes->m_hotKeyId));

    // Found means launched, whatever the shell then says.
    EXPECT_TRUE(m_catalogue->LaunchApplicationByHotKeyId(editor->m_hotKeyId));
    EXPECT_FALSE(m_catalogue->LaunchApplicationByHotKeyId(notes->m_hotKeyId));
    EXPECT_TRUE(m_catalogue->LaunchShortcutByHotKeyId(notes->m_hotKeyId));
    EXPECT_FALSE(m_catalogue->LaunchShortcutByHotKeyId(editor->m_hotKeyId));
    const int unknown = m_catalogue->m_lastHotKeyId + 1;
    EXPECT_FALSE(m_catalogue->LaunchApplicationByHotKeyId(unknown));
    EXPECT_FALSE(m_catalogue->LaunchShortcutByHotKeyId(unknown));
}

TEST_F(CatalogueHotKey, LookUpFollowsAReRegistration)
{
    CCategory* tools = m_catalogue->m_applications.AddCategory(L"Hotkey tools");
    auto application =
        std::make_unique<CApplicationItem>(L"Editor", tools, L"", L"", L"", CtrlAltF20, nullptr);
    CApplicationItem* editor = application.get();
    ASSERT_TRUE(tools->InsertItem(std::move(application)));
    const int oldId = editor->m_hotKeyId;
    editor->RegisterItemHotKey();
    EXPECT_EQ(nullptr, m_catalogue->FindApplicationByHotKeyId(oldId));
    EXPECT_EQ(editor, m_catalogue->FindApplicationByHotKeyId(editor->m_hotKeyId));
}

// While a hotkey field has the focus its keys must reach it: the combinations are free.
// Afterwards the entries hold them again under the same ids; one deleted meanwhile stays
// gone.
TEST_F(CatalogueHotKey, FocusInAHotKeyFieldSuspendsTheEntriesHotKeys)
{
    CCategory* tools = m_catalogue->m_applications.AddCategory(L"Hotkey tools");
    CCategory* links = m_catalogue->m_shortcuts.AddCategory(L"Hotkey links");
    auto application =
        std::make_unique<CApplicationItem>(L"Editor", tools, L"", L"", L"", CtrlAltF20, nullptr);
    CApplicationItem* editor = application.get();
    ASSERT_TRUE(tools->InsertItem(std::move(application)));
    ASSERT_TRUE(tools->InsertItem(
        std::make_unique<CApplicationItem>(L"Gone", tools, L"", L"", L"", ShiftAltF22, nullptr)));
    auto shortcut =
        std::make_unique<CShortcutItem>(L"Notes", links, L"", L"", L"", CtrlAltF21, nullptr);
    CShortcutItem* notes = shortcut.get();
    ASSERT_TRUE(links->InsertItem(std::move(shortcut)));
    const int editorId = editor->m_hotKeyId;
    const int notesId = notes->m_hotKeyId;
    ExpectHeld(CtrlAltF20, __LINE__);

    m_mainWnd->OnHotKeyFieldFocus(true);
    EXPECT_TRUE(m_catalogue->HotKeysSuspended());
    for (const WORD hotKey : {CtrlAltF20, CtrlAltF21, ShiftAltF22})
        ExpectFree(hotKey, __LINE__);
    tools->DeleteItem(L"Gone");

    m_mainWnd->OnHotKeyFieldFocus(false);
    EXPECT_FALSE(m_catalogue->HotKeysSuspended());
    ExpectHeld(CtrlAltF20, __LINE__);
    ExpectHeld(CtrlAltF21, __LINE__);
    ExpectFree(ShiftAltF22, __LINE__);
    EXPECT_EQ(editorId, editor->m_hotKeyId);
    EXPECT_EQ(notesId, notes->m_hotKeyId);
    EXPECT_EQ(CtrlAltF20, editor->GetHotKey());
    EXPECT_EQ(editor, m_catalogue->FindApplicationByHotKeyId(editorId));
}

TEST_F(CatalogueHotKey, StartGivesASharedCombinationToTheFirstInDisplayOrder)
{
    // As an older store can hold them; "Zeta" was read first and took the combination.
    CCategory* zeta = m_catalogue->m_applications.AddCategory(L"Zeta");
    CCategory* alpha = m_catalogue->m_applications.AddCategory(L"alpha");
    CCategory* links = m_catalogue->m_shortcuts.AddCategory(L"Aardvark");
    CApplicationItem* late = InsertApplication(zeta, L"Late", CtrlAltF20);
    CApplicationItem* early = InsertApplication(alpha, L"Early", CtrlAltF20);
    CShortcutItem* link = InsertShortcut(links, L"Link", CtrlAltF20);
    ASSERT_TRUE(late && early && link);
    ASSERT_NE(-1, late->m_hotKeyId);

    for (int start = 0; start < 2; ++start)
    {
        SCOPED_TRACE(testing::Message() << "start " << start);
        m_catalogue->RegisterAllHotKeys();
        EXPECT_NE(-1, early->m_hotKeyId) << "applications first, categories by name";
        EXPECT_EQ(-1, late->m_hotKeyId);
        EXPECT_EQ(-1, link->m_hotKeyId);
        EXPECT_EQ(CtrlAltF20, late->GetHotKey()) << "the one without it keeps its word";
        EXPECT_EQ(CtrlAltF20, link->GetHotKey());
    }
    const std::wstring heldByEarly = L"Shortcut key not active: \"Early\" in \"alpha\" holds it";
    EXPECT_EQ(heldByEarly, m_catalogue->DescribeInactiveHotKey(*late));
    EXPECT_EQ(heldByEarly, m_catalogue->DescribeInactiveHotKey(*link));
    EXPECT_EQ(L"", m_catalogue->DescribeInactiveHotKey(*early));

    // Edited, the holder keeps its combination; the one that waits must choose another.
    CMessageBoxCloser closer;
    EXPECT_FALSE(m_catalogue->RefuseHeldHotKey(m_mainWnd->GetHwnd(), CtrlAltF20, early));
    EXPECT_TRUE(m_catalogue->RefuseHeldHotKey(m_mainWnd->GetHwnd(), CtrlAltF20, late));
    EXPECT_EQ((std::vector<std::wstring>{L"This shortcut key is already used by \"Early\" in "
                                         L"\"alpha\". Choose another one."}),
              closer.m_texts);
}

TEST_F(CatalogueHotKey, EditorRefusesACombinationAnotherEntryHoldsNamingIt)
{
    CCategory* tools = m_catalogue->m_applications.AddCategory(L"Tools");
    CCategory* links = m_catalogue->m_shortcuts.AddCategory(L"Links");
    CApplicationItem* editor = InsertApplication(tools, L"Editor", CtrlAltF20);
    CShortcutItem* notes = InsertShortcut(links, L"Notes", 0);
    ASSERT_TRUE(editor && notes);
    const HWND owner = m_mainWnd->GetHwnd();
    CMessageBoxCloser closer;
    EXPECT_TRUE(m_catalogue->RefuseHeldHotKey(owner, CtrlAltF20, notes));
    EXPECT_TRUE(m_catalogue->RefuseHeldHotKey(
        owner, static_cast<WORD>(CtrlAltF20 | HOTKEYF_EXT << 8), nullptr))
        << "HOTKEYF_EXT makes no other combination";
    EXPECT_FALSE(m_catalogue->RefuseHeldHotKey(owner, CtrlAltF20, editor)) << "its own";
    EXPECT_FALSE(m_catalogue->RefuseHeldHotKey(owner, CtrlAltF21, notes));
    const std::wstring named = L"This shortcut key is already used by \"Editor\" in \"Tools\". "
                               L"Choose another one.";
    EXPECT_EQ((std::vector<std::wstring>{named, named}), closer.m_texts);
}

TEST_F(CatalogueHotKey, ShowWindowHotKeyHoldsItsCombinationAgainstEntries)
{
    CCategory* tools = m_catalogue->m_applications.AddCategory(L"Tools");
    ASSERT_TRUE(
        CCatalogue::RegisterShowWindowHotKey(m_mainWnd->GetHwnd(), MOD_CONTROL | MOD_ALT, VK_F21));
    CApplicationItem* editor = InsertApplication(tools, L"Editor", CtrlAltF20);
    CApplicationItem* shadow = InsertApplication(tools, L"Shadow", CtrlAltF21);
    ASSERT_TRUE(editor && shadow);
    EXPECT_EQ(-1, shadow->m_hotKeyId);
    EXPECT_EQ(L"Shortcut key not active: it shows the main window",
              m_catalogue->DescribeInactiveHotKey(*shadow));
    const HWND owner = m_mainWnd->GetHwnd();
    CMessageBoxCloser closer;
    EXPECT_TRUE(m_catalogue->RefuseHeldHotKey(owner, CtrlAltF21, nullptr));
    EXPECT_TRUE(m_catalogue->RefuseHeldShowWindowHotKey(owner, MOD_CONTROL | MOD_ALT, VK_F20));
    EXPECT_FALSE(
        m_catalogue->RefuseHeldShowWindowHotKey(owner, MOD_WIN | MOD_CONTROL | MOD_ALT, VK_F20));
    EXPECT_EQ((std::vector<std::wstring>{
                  L"This shortcut key already shows the main window. Choose another one.",
                  L"This shortcut key is already used by \"Editor\" in \"Tools\". Choose "
                  L"another one."}),
              closer.m_texts);
    UnregisterHotKey(m_mainWnd->GetHwnd(), 0);
}

TEST_F(CatalogueHotKey, CombinationAnotherProgramHeldIsTakenOnceFree)
{
    // This thread stands in for the other program.
    ASSERT_TRUE(RegisterHotKey(nullptr, ProbeId, MOD_CONTROL | MOD_ALT, VK_F20));
    ASSERT_TRUE(RegisterHotKey(nullptr, ProbeId + 1, MOD_CONTROL | MOD_ALT, VK_F21));
    ASSERT_FALSE(
        CCatalogue::RegisterShowWindowHotKey(m_mainWnd->GetHwnd(), MOD_CONTROL | MOD_ALT, VK_F21));
    CCategory* tools = m_catalogue->m_applications.AddCategory(L"Tools");
    CApplicationItem* editor = InsertApplication(tools, L"Editor", CtrlAltF20);
    ASSERT_NE(nullptr, editor);
    EXPECT_EQ(-1, editor->m_hotKeyId);
    EXPECT_EQ(L"Shortcut key not active: another program or Windows holds it",
              m_catalogue->DescribeInactiveHotKey(*editor));
    m_catalogue->RetryInactiveHotKeys();
    EXPECT_EQ(-1, editor->m_hotKeyId) << "still held";

    UnregisterHotKey(nullptr, ProbeId);
    UnregisterHotKey(nullptr, ProbeId + 1);
    const int drawn = m_catalogue->m_lastHotKeyId;
    m_catalogue->RetryInactiveHotKeys();
    EXPECT_GT(editor->m_hotKeyId, drawn) << "a fresh id";
    EXPECT_EQ(CtrlAltF20, editor->GetHotKey());
    EXPECT_EQ(L"", m_catalogue->DescribeInactiveHotKey(*editor));
    ExpectHeld(CtrlAltF20, __LINE__);
    ExpectHeld(CtrlAltF21, __LINE__);
    EXPECT_TRUE(m_catalogue->m_showWindowHotKey.active);
    EXPECT_TRUE(UnregisterHotKey(m_mainWnd->GetHwnd(), 0)) << "the show-window hotkey is id 0";
}
