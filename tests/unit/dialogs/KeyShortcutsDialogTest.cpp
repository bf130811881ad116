#include "dialogs/KeyShortcutsDialog.h"
#include "resources/resource.h"
#include "store/SettingsStore.h"
#include "tests/support/unit/MessageBoxCloser.h"
#include "tests/support/unit/ProgramLoop.h"
#include "toolkit/Application.h"

#include <gtest/gtest.h>

#include <string>

using test_support::Chord;
using test_support::CProgramLoop;

namespace
{
constexpr wchar_t kRootKey[] = L"Software\\Quillbrook\\Pathmoor";
constexpr UINT kSentinel = 0xdeadbeef;
constexpr int kOtherId = 7;

// The stored show-window hotkey as the store reads it back.
struct StoredHotKey
{
    bool found;
    UINT modifiers;
    UINT key;

    bool operator==(const StoredHotKey& other) const
    {
        return found == other.found && modifiers == other.modifiers && key == other.key;
    }
};

void PrintTo(const StoredHotKey& stored, std::ostream* out)
{
    *out << "{" << (stored.found ? "found" : "not found") << ", modifiers 0x" << std::hex
         << stored.modifiers << ", key 0x" << stored.key << std::dec << "}";
}

StoredHotKey ReadStoredHotKey()
{
    StoredHotKey stored = {false, kSentinel, kSentinel};
    stored.found = LoadShowWindowHotKey(stored.modifiers, stored.key);
    return stored;
}

// Notes, when the dialog is hidden, whether the close command already waits for the
// main window.
struct HideWatch
{
    HWND mainWindow;
    bool hidden = false;
    bool closeQueued = false;
};

LRESULT CALLBACK WatchHide(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR data)
{
    if (msg == WM_WINDOWPOSCHANGED &&
        (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW))
    {
        HideWatch* watch = reinterpret_cast<HideWatch*>(data);
        MSG queued = {};
        watch->hidden = true;
        watch->closeQueued =
            PeekMessageW(&queued, watch->mainWindow, WM_COMMAND, WM_COMMAND, PM_NOREMOVE) &&
            queued.wParam == IDC_HOTKEY_DIALOG_CLOSED && queued.lParam == 0;
    }
    return DefSubclassProc(hWnd, msg, wParam, lParam);
}

// The modeless dialog on a stand-in main window, run by the program's message loop.
class DialogsKeyShortcuts : public testing::Test
{
protected:
    void SetUp() override
    {
        test_support::ReleaseModifiers();
        DeleteRootKey();
        m_main = CreateStandIn(L"Main");
        m_other = CreateStandIn(L"Other program");
        ASSERT_NE(nullptr, m_main) << "error " << GetLastError();
        ASSERT_NE(nullptr, m_other) << "error " << GetLastError();
    }

    void TearDown() override
    {
        test_support::ReleaseModifiers();
        delete m_dialog;
        UnregisterHotKey(m_main, 0);
        UnregisterHotKey(m_other, kOtherId);
        DestroyWindow(m_other);
        DestroyWindow(m_main);
        DeleteRootKey();
    }

    static void DeleteRootKey() { RegDeleteTreeW(HKEY_CURRENT_USER, kRootKey); }

    static HWND CreateStandIn(const wchar_t* title)
    {
        return CreateWindowExW(0, L"Static", title, WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                               nullptr, CApplication::Instance().GetInstanceHandle(), nullptr);
    }

    // As the main window does for "&Shortcut keys...".
    void Open()
    {
        m_dialog = new CKeyShortcutsDialog(m_main);
        m_hWnd = m_dialog->Create();
        ASSERT_NE(nullptr, m_hWnd) << "error " << GetLastError();
        ASSERT_EQ(m_hWnd, m_dialog->GetHwnd());
        m_loop = CProgramLoop(m_hWnd);
        m_loop.m_observer = [this](const MSG& msg, bool)
        {
            if (msg.hwnd == m_main && msg.message == WM_COMMAND &&
                msg.wParam == IDC_HOTKEY_DIALOG_CLOSED)
                ++m_closeCount;
            if (msg.hwnd == m_main && msg.message == WM_HOTKEY)
                m_hotKeyIds.push_back(static_cast<int>(msg.wParam));
        };
    }

    std::wstring FieldText() const
    {
        wchar_t text[256] = L"sentinel";
        GetDlgItemTextW(m_hWnd, IDC_SHOW_WINDOW_HOTKEY_EDIT, text, 256);
        return text;
    }

    bool IsOkEnabled() const { return IsWindowEnabled(GetDlgItem(m_hWnd, IDOK)) != FALSE; }

    void Type(const std::vector<INPUT>& keys)
    {
        ASSERT_TRUE(test_support::FocusControl(GetDlgItem(m_hWnd, IDC_SHOW_WINDOW_HOTKEY_EDIT)));
        ASSERT_TRUE(m_loop.Type(keys)) << "the key messages did not come back";
    }

    // Clicks the button and runs the loop until the dialog has told the main window.
    void CloseWith(int button)
    {
        m_watch.mainWindow = m_main;
        ASSERT_TRUE(SetWindowSubclass(m_hWnd, WatchHide, 1, reinterpret_cast<DWORD_PTR>(&m_watch)));
        SendDlgItemMessageW(m_hWnd, button, BM_CLICK, 0, 0);
        EXPECT_TRUE(m_loop.RunUntil([this] { return m_closeCount > 0; }))
            << "no command " << IDC_HOTKEY_DIALOG_CLOSED << " reached the main window";
        RemoveWindowSubclass(m_hWnd, WatchHide, 1);
        EXPECT_TRUE(m_watch.hidden) << "the dialog did not end";
        EXPECT_TRUE(m_watch.closeQueued) << "the command was not posted before the dialog ended";
        EXPECT_FALSE(IsWindowVisible(m_hWnd));
    }

    // True when the combination is free: another window could take it.
    bool IsFree(UINT modifiers, UINT key)
    {
        SetLastError(kSentinel);
        if (!RegisterHotKey(m_other, kOtherId, modifiers, key))
        {
            m_lastRegisterError = GetLastError();
            return false;
        }
        UnregisterHotKey(m_other, kOtherId);
        return true;
    }

    HWND m_main = nullptr;
    HWND m_other = nullptr;
    CKeyShortcutsDialog* m_dialog = nullptr;
    HWND m_hWnd = nullptr;
    CProgramLoop m_loop{nullptr};
    HideWatch m_watch = {nullptr};
    int m_closeCount = 0;
    std::vector<int> m_hotKeyIds;
    DWORD m_lastRegisterError = 0;
};

TEST_F(DialogsKeyShortcuts, OpensWithTheStoredHotKeyAsText)
{
    SaveShowWindowHotKey(MOD_CONTROL | MOD_SHIFT, VK_HOME);
    Open();
    const std::wstring expected = L"Ctrl + Shift+ Home";
    EXPECT_EQ(expected, FieldText());
    EXPECT_TRUE(IsOkEnabled());
    const HWND edit = GetDlgItem(m_hWnd, IDC_SHOW_WINDOW_HOTKEY_EDIT);
    EXPECT_EQ(edit, GetFocus());
    DWORD start = kSentinel;
    DWORD end = kSentinel;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(expected.size(), start) << "the caret is not at the end";
    EXPECT_EQ(expected.size(), end);
}

TEST_F(DialogsKeyShortcuts, OpensEmptyWithoutAStoredHotKey)
{
    Open();
    EXPECT_EQ(L"", FieldText());
    EXPECT_FALSE(IsOkEnabled());
    EXPECT_EQ(GetDlgItem(m_hWnd, IDC_SHOW_WINDOW_HOTKEY_EDIT), GetFocus());
}

TEST_F(DialogsKeyShortcuts, ClearedFieldCannotBeConfirmed)
{
    Open();
    Type(Chord({VK_CONTROL, 'A'}));
    EXPECT_EQ(L"Ctrl+ A", FieldText());
    EXPECT_TRUE(IsOkEnabled());
    Type(Chord({VK_BACK}));
    EXPECT_EQ(L"", FieldText());
    EXPECT_FALSE(IsOkEnabled());
}

TEST_F(DialogsKeyShortcuts, OkWithoutAKeyKeepsRegistrationAndStoredValue)
{
    ASSERT_TRUE(RegisterHotKey(m_main, 0, MOD_CONTROL | MOD_ALT, 'P'));
    SaveShowWindowHotKey(MOD_CONTROL | MOD_ALT, 'P');
    Open();
    ASSERT_TRUE(IsOkEnabled());
    CloseWith(IDOK);
    EXPECT_EQ(1, m_closeCount);
    EXPECT_EQ((StoredHotKey{true, MOD_CONTROL | MOD_ALT, 'P'}), ReadStoredHotKey());
    EXPECT_FALSE(IsFree(MOD_CONTROL | MOD_ALT, 'P')) << "the old registration was dropped";
    EXPECT_EQ(static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED), m_lastRegisterError);
}

TEST_F(DialogsKeyShortcuts, OkRegistersAndStoresWindowsKeyCombination)
{
    ASSERT_TRUE(RegisterHotKey(m_main, 0, MOD_CONTROL | MOD_ALT, 'P'));
    Open();
    Type(Chord({VK_LWIN, 'A'}));
    EXPECT_EQ(L"Win+ A", FieldText());
    ASSERT_TRUE(IsOkEnabled());
    CloseWith(IDOK);
    EXPECT_EQ(1, m_closeCount) << "OK must release the dialog as Cancel does";
    EXPECT_EQ((StoredHotKey{true, MOD_WIN, 0x41}), ReadStoredHotKey());
    EXPECT_FALSE(IsFree(MOD_WIN, 'A'));
    EXPECT_EQ(static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED), m_lastRegisterError);
    EXPECT_TRUE(IsFree(MOD_CONTROL | MOD_ALT, 'P')) << "the old combination is still held";

    // The combination now reaches the main window as hotkey 0.
    ASSERT_TRUE(test_support::SendKeys(Chord({VK_LWIN, 'A'})));
    EXPECT_TRUE(m_loop.RunUntil([this] { return !m_hotKeyIds.empty(); })) << "no WM_HOTKEY";
    EXPECT_EQ(std::vector<int>{0}, m_hotKeyIds);
}

TEST_F(DialogsKeyShortcuts, OkKeepsACombinationAnotherProgramHoldsAndSaysSo)
{
    Open();
    Type(Chord({VK_CONTROL, VK_MENU, 'G'}));
    ASSERT_EQ(L"Ctrl+ Alt+ G", FieldText());
    // Taken after it was typed: held, it would not have reached the field.
    ASSERT_TRUE(RegisterHotKey(m_other, kOtherId, MOD_CONTROL | MOD_ALT, 'G'));
    test_support::CMessageBoxCloser closer;
    CloseWith(IDOK);
    EXPECT_EQ((std::vector<std::wstring>{L"Another program or Windows holds this shortcut key. It "
                                         L"is kept, but it does not work until it is free."}),
              closer.m_texts);
    EXPECT_EQ((StoredHotKey{true, MOD_CONTROL | MOD_ALT, 'G'}), ReadStoredHotKey());
    SetLastError(kSentinel);
    EXPECT_FALSE(UnregisterHotKey(m_main, 0)) << "the main window got it all the same";
}

TEST_F(DialogsKeyShortcuts, CancelPostsCloseAndChangesNothing)
{
    Open();
    Type(Chord({VK_CONTROL, 'B'}));
    ASSERT_EQ(L"Ctrl+ B", FieldText());
    CloseWith(IDCANCEL);
    EXPECT_EQ(1, m_closeCount);
    EXPECT_EQ((StoredHotKey{false, kSentinel, kSentinel}), ReadStoredHotKey());
    EXPECT_TRUE(IsFree(MOD_CONTROL, 'B'));
}

TEST_F(DialogsKeyShortcuts, ReleasingTheObjectDestroysTheDialog)
{
    Open();
    CloseWith(IDCANCEL);
    ASSERT_TRUE(IsWindow(m_hWnd)) << "ending only hides a modeless dialog";
    delete m_dialog;
    m_dialog = nullptr;
    EXPECT_FALSE(IsWindow(m_hWnd));
    EXPECT_EQ(nullptr, CApplication::Instance().FindWindowObject(m_hWnd));
}

TEST_F(DialogsKeyShortcuts, BringForwardShowsAndActivatesTheDialog)
{
    Open();
    ShowWindow(m_hWnd, SW_HIDE);
    SetForegroundWindow(m_other);
    m_dialog->BringForward();
    EXPECT_TRUE(IsWindowVisible(m_hWnd));
    EXPECT_EQ(m_hWnd, GetForegroundWindow());
}
} // namespace
