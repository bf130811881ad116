// Adding, editing and renaming through the dialogs as a user does it: menus opened with the
// mouse, names and hotkeys typed on the keyboard, and the registry read back.

#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include "resources/resource.h"
#include "tests/support/Files.h"
#include "tests/support/Harness.h"
#include "tests/support/ProgramTest.h"
#include "tests/support/CrossProcessInput.h"
#include "tests/support/Registry.h"
#include "tests/support/Screen.h"

#include <initializer_list>
#include <string>
#include <vector>

using namespace e2e;
using namespace test_support;

namespace
{
const std::wstring CategoriesKey = ApplicationsKey + L"\\";

// A global hotkey is pressed while another program is in front: the main window goes to
// the tray first.
void PressHotKeyFromElsewhere(HWND window, WORD key)
{
    ShowWindow(window, SW_MINIMIZE);
    PressChord({VK_CONTROL, VK_MENU}, key);
}

// The entry row under the header of the first column (the first category in order).
HWND FirstColumnEntry(const std::vector<HWND>& rows)
{
    HWND entry = nullptr;
    for (HWND row : rows)
        if (WindowRect(row).left == WindowRect(rows[0]).left && row != rows[0] &&
            (entry == nullptr || WindowRect(row).top < WindowRect(entry).top))
            entry = row;
    return entry;
}

// The visible rows and headers of the applications page, top to bottom.
std::vector<HWND> PageRows(HWND window)
{
    return VisibleChildren(FindWindowExW(window, nullptr, L"Page", L"ApplicationsPage"),
                           L"ListItem");
}

// Processes of that image name, in any session of this prefix.
int CountProcesses(const wchar_t* exeName)
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    int count = 0;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry))
        count += lstrcmpiW(entry.szExeFile, exeName) == 0 ? 1 : 0;
    CloseHandle(snapshot);
    return count;
}

// Whether some window already holds the combination: this process is refused it then.
bool CombinationHeld(UINT modifiers, UINT key)
{
    constexpr int ProbeId = 0x5E1;
    if (!RegisterHotKey(nullptr, ProbeId, modifiers, key))
        return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED;
    UnregisterHotKey(nullptr, ProbeId);
    return false;
}

class DialogFlowTest : public CProgramTest
{
protected:
    DialogFlowTest() : CProgramTest(EProgramKey::Deleted) {}

    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(CProgramTest::SetUp());
        // A returning user: no first-start defaults in the way.
        ASSERT_TRUE(WriteDword(ProgramRoot, L"FirstLaunch", 0));
        m_record = PrepareLaunchRecord(L"pathmoor-dialog-record.txt");
    }

    void TearDown() override
    {
        if (PopupMenuShown())
            PressKey(VK_ESCAPE);
        CProgramTest::TearDown();
        CloseRecorder();
        // A test may hold a combination as another program would.
        UnregisterHotKey(nullptr, 1);
        DeleteFileW(m_record.c_str());
    }

    HWND Start()
    {
        EXPECT_TRUE(m_program.Start());
        HWND window = m_program.WaitForMainWindow();
        EXPECT_NE(nullptr, window) << "no main window appeared";
        return window;
    }

    HWND WaitForDialog(const wchar_t* title)
    {
        HWND dialog = nullptr;
        EXPECT_TRUE(WaitFor(
            [&]
            {
                dialog = FindDialog(m_program.Pid(), title);
                return dialog != nullptr && IsWindowVisible(dialog);
            }))
            << "no dialog \"" << Utf8(title) << "\" appeared";
        return dialog;
    }

    void OpenPageMenu(HWND window)
    {
        HWND page = FindWindowExW(window, nullptr, L"Page", L"ApplicationsPage");
        const RECT rect = WindowRect(page);
        Click(rect.right - 30, rect.bottom - 30, false);
        ASSERT_TRUE(WaitFor(PopupMenuShown)) << "the page menu did not open";
    }

    // "Add category" from the page background, the name typed and confirmed with Enter.
    void AddCategoryFromPageMenu(HWND window, const std::wstring& name)
    {
        OpenPageMenu(window);
        PressKey(VK_DOWN);
        PressKey(VK_RETURN);
        HWND dialog = WaitForDialog(L"Add category");
        ASSERT_NE(nullptr, dialog);
        TypeText(name);
        PressKey(VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); })) << "the dialog stayed open";
    }

    // A stored "Tools" category, and "Add application" opened from its header's menu.
    void OpenEditorOnToolsCategory(HWND& window, HWND& editor)
    {
        ASSERT_TRUE(CreateKey(CategoriesKey + L"Tools"));
        window = Start();
        ASSERT_NE(nullptr, window);
        std::vector<HWND> rows;
        ASSERT_TRUE(WaitFor([&] { return (rows = PageRows(window)).size() == 1; }))
            << "no header for the stored category";
        OpenRowMenu(rows[0]);
        PressKey('A');
        editor = WaitForDialog(L"Add application");
        ASSERT_NE(nullptr, editor);
    }

    void OpenRowMenu(HWND row)
    {
        const RECT rect = WindowRect(row);
        Click(rect.left + 70, rect.top + 11, false);
        ASSERT_TRUE(WaitFor(PopupMenuShown)) << "the row menu did not open";
    }

    bool RecorderStarted()
    {
        HANDLE file = CreateFileW(m_record.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        const DWORD size = GetFileSize(file, nullptr);
        CloseHandle(file);
        return size > 0;
    }

    // Every one: a recorder left running holds the test's output open.
    static void CloseRecorder()
    {
        HWND recorder = nullptr;
        while ((recorder = FindWindowExW(nullptr, recorder, nullptr, L"Launch recorder")))
            PostMessageW(recorder, WM_CLOSE, 0, 0);
    }

    // Options > "&Shortcut keys..." in the tray icon's menu.
    static void ChooseShortcutKeysFromTray(HWND window)
    {
        ASSERT_TRUE(WaitFor([&] { return TrayIconExists(window, 1); })) << "no tray icon";
        const POINT icon = TrayIconPoint();
        Click(icon.x, icon.y, false);
        ASSERT_TRUE(WaitFor(PopupMenuShown)) << "the tray menu did not open";
        PressKey('O');
        PressKey('S');
    }

    std::wstring m_record;
};
} // namespace

TEST_F(DialogFlowTest, PageMenuAddsACategoryAndRefusesTheSameNameInOtherLettersOrABackslash)
{
    HWND window = Start();
    ASSERT_NE(nullptr, window);
    AddCategoryFromPageMenu(window, L"Tools");
    ASSERT_TRUE(WaitFor([&] { return PageRows(window).size() == 1; }))
        << "no header for the new category";
    EXPECT_TRUE(WaitFor([] { return KeyExists(CategoriesKey + L"Tools"); }))
        << "the new category was not stored";

    OpenPageMenu(window);
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    HWND dialog = WaitForDialog(L"Add category");
    ASSERT_NE(nullptr, dialog);
    TypeText(L"TOOLS");
    PressKey(VK_RETURN);
    // The refusal has no caption of its own: the system's "Error".
    HWND refusal = WaitForDialog(L"Error");
    ASSERT_NE(nullptr, refusal) << "no refusal for a name the list has";
    SaveScreenshot(L"category-refused");
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(refusal); }));
    EXPECT_EQ(1u, PageRows(window).size()) << "a second category was added";

    // A backslash would split the name into nested keys: the rename is refused while the
    // dialog stays open on the name, and nothing is stored.
    const std::vector<std::wstring> before = DumpTree(ProgramRoot);
    OpenRowMenu(PageRows(window)[0]);
    PressKey('E');
    HWND rename = WaitForDialog(L"Edit category");
    ASSERT_NE(nullptr, rename);
    const HWND nameEdit = GetDlgItem(rename, IDC_CATEGORY_NAME_EDIT);
    SendMessageW(nameEdit, EM_SETSEL, 0, -1);
    TypeText(L"Work\\Home");
    PressKey(VK_RETURN);
    HWND backslash = WaitForDialog(L"Error");
    ASSERT_NE(nullptr, backslash) << "no refusal for a name with a backslash";
    std::wstring shown;
    for (HWND text : VisibleChildren(backslash, L"Static"))
        shown += L"[" + ControlText(text) + L"]";
    EXPECT_NE(std::wstring::npos, shown.find(L"[A name cannot contain a backslash (\\)]"))
        << "the refusal shows " << Utf8(shown);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(backslash); }));
    ASSERT_TRUE(IsWindow(rename)) << "the dialog closed on a refused name";
    EXPECT_EQ(L"Work\\Home", ControlText(nameEdit));
    EXPECT_EQ(before, DumpTree(ProgramRoot)) << "the refused rename reached the store";
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(rename); })) << "Escape left the dialog open";

    ASSERT_TRUE(m_program.Close());
    EXPECT_TRUE(KeyExists(CategoriesKey + L"Tools"));
    EXPECT_EQ(1u, SubKeys(CategoriesKey).size()) << "more than one category was stored";
    EXPECT_TRUE(SubKeys(CategoriesKey + L"Tools").empty()) << "the rename nested a key";
}

TEST_F(DialogFlowTest, EditorAddsAnApplicationWhoseTypedHotKeyStartsIt)
{
    HWND window = nullptr;
    HWND editor = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenEditorOnToolsCategory(window, editor));
    TypeText(L"Recorder");
    ClickControl(editor, IDC_PATH_EDIT);
    TypeText(ExecutableDirectory() + L"launch_recorder.exe");
    ASSERT_TRUE(TypeRecorderHotKey(editor));
    ClickControl(editor, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(editor); })) << "the editor stayed open";

    DWORD hotKey = 0xdead;
    ASSERT_TRUE(
        WaitFor([&] { return ReadDword(CategoriesKey + L"Tools\\Recorder", L"HotKey", hotKey); }))
        << "the new entry was not stored";
    EXPECT_EQ(RecorderHotKey, hotKey);
    ASSERT_TRUE(WaitFor([&] { return PageRows(window).size() == 2; })) << "no row for the entry";

    PressHotKeyFromElsewhere(window, 'R');
    EXPECT_TRUE(WaitFor([&] { return RecorderStarted(); })) << "the hotkey did not start it";
}

TEST_F(DialogFlowTest, EditorMovesAnEntryToAnotherCategoryWithItsHotKey)
{
    const std::wstring entry = CategoriesKey + L"Alpha\\Recorder";
    ASSERT_TRUE(WriteString(entry, L"ItemPath", ExecutableDirectory() + L"launch_recorder.exe"));
    ASSERT_TRUE(WriteDword(entry, L"HotKey", RecorderHotKey));
    ASSERT_TRUE(
        WriteString(CategoriesKey + L"Beta\\Other", L"ItemPath", L"C:\\windows\\notepad.exe"));
    HWND window = Start();
    ASSERT_NE(nullptr, window);
    std::vector<HWND> rows;
    ASSERT_TRUE(WaitFor([&] { return (rows = PageRows(window)).size() == 4; }))
        << "the stored catalogue was not shown";
    // Alpha's header stands above its row; the columns run left to right.
    HWND recorderRow = FirstColumnEntry(rows);
    ASSERT_NE(nullptr, recorderRow);

    OpenRowMenu(recorderRow);
    PressKey('E');
    HWND editor = WaitForDialog(L"Edit application");
    ASSERT_NE(nullptr, editor);
    ClickControl(editor, IDC_GROUP_COMBO);
    PressKey('B');
    PressKey(VK_RETURN);
    // Enter closes the dropped list; Wine's dialog then takes it as OK as well.
    ASSERT_TRUE(WaitFor(
        [&] {
            return !IsWindow(editor) || ControlText(GetDlgItem(editor, IDC_GROUP_COMBO)) == L"Beta";
        }))
        << "Beta was not chosen";
    if (IsWindow(editor))
        ClickControl(editor, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(editor); })) << "the editor stayed open";

    // The save replaces the stored lists one after the other: wait for the whole of it.
    DWORD hotKey = 0xdead;
    ASSERT_TRUE(WaitFor(
        [&] {
            return ReadDword(CategoriesKey + L"Beta\\Recorder", L"HotKey", hotKey) &&
                   !KeyExists(entry);
        }))
        << "the entry was not moved from Alpha to Beta in the store";
    EXPECT_EQ(RecorderHotKey, hotKey);

    PressHotKeyFromElsewhere(window, 'R');
    EXPECT_TRUE(WaitFor([&] { return RecorderStarted(); }))
        << "the hotkey did not survive the move";
}

// The keyboard's ways into and out of the hotkey field leave the stored word as it was. In
// the field, the program's own hotkeys are combinations to record, not launches; once the
// field is left they work again.
TEST_F(DialogFlowTest, HotKeyFieldKeepsItsWordOnFocusMovesAndRecordsTheProgramsOwnHotKeys)
{
    constexpr DWORD CtrlAltA = 0x0641;
    const std::wstring recorder = ExecutableDirectory() + L"launch_recorder.exe";
    const std::wstring target = CategoriesKey + L"Alpha\\Target";
    const std::wstring other = CategoriesKey + L"Beta\\Recorder";
    ASSERT_TRUE(WriteString(target, L"ItemPath", recorder));
    ASSERT_TRUE(WriteDword(target, L"HotKey", CtrlAltA));
    ASSERT_TRUE(WriteString(other, L"ItemPath", recorder));
    ASSERT_TRUE(WriteDword(other, L"HotKey", RecorderHotKey));
    ASSERT_TRUE(WriteDword(ShowKey, L"Modifiers", MOD_CONTROL | MOD_ALT));
    ASSERT_TRUE(WriteDword(ShowKey, L"Key", 'S'));
    HWND window = Start();
    ASSERT_NE(nullptr, window);
    const auto openEditor = [&](HWND& editor)
    {
        std::vector<HWND> rows;
        ASSERT_TRUE(WaitFor([&] { return (rows = PageRows(window)).size() == 4; }))
            << "the stored catalogue was not shown";
        OpenRowMenu(FirstColumnEntry(rows));
        PressKey('E');
        editor = WaitForDialog(L"Edit application");
        ASSERT_NE(nullptr, editor);
        // Activated, the dialog puts the focus on its first field: a click before that
        // would lose the focus again.
        const HWND name = GetDlgItem(editor, IDC_NAME_EDIT);
        ASSERT_TRUE(WaitFor([&] { return FocusOf(editor) == name; }))
            << "the editor did not take the focus";
    };

    HWND editor = nullptr;
    ASSERT_NO_FATAL_FAILURE(openEditor(editor));
    const HWND field = GetDlgItem(editor, IDC_HOTKEY_EDIT);
    const HWND startIn = GetDlgItem(editor, IDC_START_IN_EDIT);
    const std::wstring stored = L"Ctrl + Alt+ A";
    EXPECT_EQ(stored, ControlText(field));
    // From the path over the browse button to the "Advanced" link, which unfolds.
    ClickControl(editor, IDC_PATH_EDIT);
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(field) != FALSE; }))
        << "the advanced fields did not unfold";
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    const struct
    {
        std::initializer_list<WORD> modifiers;
        WORD key;
        HWND focus;
        const char* move;
    } moves[] = {{{}, VK_TAB, field, "Tab in"},
                 {{VK_SHIFT}, VK_TAB, startIn, "Shift+Tab out"},
                 {{VK_MENU}, 'K', field, "Alt+K in"},
                 {{VK_SHIFT}, VK_TAB, startIn, "Shift+Tab out again"}};
    for (const auto& move : moves)
    {
        PressChord(move.modifiers, move.key);
        EXPECT_TRUE(WaitFor([&] { return FocusOf(editor) == move.focus; }))
            << move.move << ": the focus is on " << FocusOf(editor);
        Settle(editor);
        EXPECT_EQ(stored, ControlText(field)) << move.move;
    }
    ClickControl(editor, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(editor); })) << "the editor stayed open";
    // The editor has returned: what its OK changed is stored once the window answers.
    Settle(window);
    DWORD hotKey = 0xdead;
    ASSERT_TRUE(ReadDword(target, L"HotKey", hotKey));
    EXPECT_EQ(CtrlAltA, hotKey) << "the focus moves changed the stored hotkey";

    ASSERT_NO_FATAL_FAILURE(openEditor(editor));
    const HWND secondField = GetDlgItem(editor, IDC_HOTKEY_EDIT);
    ClickControl(editor, IDC_HOTKEY_EDIT);
    ASSERT_TRUE(WaitFor([&] { return FocusOf(editor) == secondField; }));
    // The focus is seen before the field has heard of it and let the hotkeys go.
    Settle(editor);
    std::wstring shown;
    for (const WORD key : {WORD('R'), WORD('S')})
    {
        const std::wstring expected = std::wstring(L"Ctrl+ Alt+ ") + wchar_t(key);
        PressChord({VK_CONTROL, VK_MENU}, key);
        const bool recorded =
            WaitFor([&] { return (shown = ControlText(secondField)) == expected; });
        // A recorder that the hotkey started must be up for the end of the test to close it.
        if (!recorded)
            WaitFor([&] { return RecorderStarted(); });
        ASSERT_TRUE(recorded) << "the field shows \"" << Utf8(shown) << "\" for " << Utf8(expected);
    }
    ClickControl(editor, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(editor); })) << "the editor stayed open";
    Settle(window);
    ASSERT_FALSE(RecorderStarted()) << "a hotkey pressed in the field launched its entry";

    PressHotKeyFromElsewhere(window, 'R');
    EXPECT_TRUE(WaitFor([&] { return RecorderStarted(); })) << "the entry's hotkey did not return";
    EXPECT_EQ(1, CountWindowsOfClass(L"LaunchRecorderWindow")) << "launched more than once";
    PressChord({VK_CONTROL, VK_MENU}, 'S');
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) && !IsIconic(window); }))
        << "the show-window hotkey did not return";
}

TEST_F(DialogFlowTest, ShortcutKeyDialogFromTheTraySetsTheShowWindowHotKey)
{
    HWND window = Start();
    ASSERT_NE(nullptr, window);
    ASSERT_NO_FATAL_FAILURE(ChooseShortcutKeysFromTray(window));
    HWND dialog = WaitForDialog(L"Shortcut key");
    ASSERT_NE(nullptr, dialog);

    // A second request brings the same dialog forward instead of opening another.
    ASSERT_NO_FATAL_FAILURE(ChooseShortcutKeysFromTray(window));
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == dialog; }))
        << "the open dialog did not come forward";
    EXPECT_EQ(dialog, FindDialog(m_program.Pid(), L"Shortcut key"));

    PressChord({VK_CONTROL, VK_MENU}, 'K');
    ClickControl(dialog, IDOK);
    // OK releases the dialog: its window is destroyed, not only hidden.
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); })) << "the dialog window lingers";
    DWORD modifiers = 0xdead;
    DWORD key = 0xdead;
    ASSERT_TRUE(ReadDword(ShowKey, L"Modifiers", modifiers));
    ASSERT_TRUE(ReadDword(ShowKey, L"Key", key));
    EXPECT_EQ(static_cast<DWORD>(MOD_CONTROL | MOD_ALT), modifiers);
    EXPECT_EQ(static_cast<DWORD>('K'), key);

    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }));
    PressChord({VK_CONTROL, VK_MENU}, 'K');
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) && !IsIconic(window); }))
        << "the new hotkey did not bring the window back";
}

TEST_F(DialogFlowTest, ShortcutKeyDialogCancelledLeavesNoWindowAndNoValue)
{
    HWND window = Start();
    ASSERT_NE(nullptr, window);
    ASSERT_NO_FATAL_FAILURE(ChooseShortcutKeysFromTray(window));
    HWND dialog = WaitForDialog(L"Shortcut key");
    ASSERT_NE(nullptr, dialog);
    PressChord({VK_CONTROL, VK_MENU}, 'J');
    ClickControl(dialog, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); })) << "the dialog window lingers";
    EXPECT_FALSE(ValueExists(ShowKey, L"Key"));
}

TEST_F(DialogFlowTest, BrowseFillsThePathAndTheEmptyName)
{
    HWND window = nullptr;
    HWND editor = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenEditorOnToolsCategory(window, editor));

    ClickControl(editor, IDC_BROWSE);
    HWND open = WaitForDialog(L"Open");
    ASSERT_NE(nullptr, open) << "no file dialog";
    const std::wstring program = ExecutableDirectory() + L"launch_recorder.exe";
    TypeText(program);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(open); })) << "the file dialog stayed open";

    std::wstring path;
    EXPECT_TRUE(
        WaitFor([&] { return (path = ControlText(GetDlgItem(editor, IDC_PATH_EDIT))) == program; }))
        << "path: " << std::string(path.begin(), path.end());
    EXPECT_EQ(L"launch_recorder", ControlText(GetDlgItem(editor, IDC_NAME_EDIT)))
        << "the empty name is not taken from the file";
    ClickControl(editor, IDCANCEL);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(editor); }));
}

// Two entries never share a hotkey: the second one's editor refuses the first one's
// combination and names its holder, which keeps it. Held down, it launches once.
TEST_F(DialogFlowTest, EditorRefusesTheHotKeyOfAnotherEntryWhichLaunchesOnceHeldDown)
{
    const std::wstring first = CategoriesKey + L"Alpha\\Recorder";
    const std::wstring second = CategoriesKey + L"Beta\\Other";
    ASSERT_TRUE(WriteString(first, L"ItemPath", ExecutableDirectory() + L"launch_recorder.exe"));
    // A window that came to the front would make Wine forget the keys this test holds down.
    ASSERT_TRUE(WriteString(first, L"Arguments", L"--hidden-only"));
    ASSERT_TRUE(WriteDword(first, L"HotKey", RecorderHotKey));
    ASSERT_TRUE(WriteString(second, L"ItemPath", L"C:\\windows\\notepad.exe"));
    // Until its field has Ctrl+Alt+R, this test holds the combination as another program
    // would: the first entry keeps its word inactive meanwhile, and keys typed into the
    // field reach it.
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, 'R'));
    HWND window = Start();
    ASSERT_NE(nullptr, window);
    std::vector<HWND> rows;
    ASSERT_TRUE(WaitFor([&] { return (rows = PageRows(window)).size() == 4; }))
        << "the stored catalogue was not shown";
    // Beta's column stands right of Alpha's; its entry is below its header.
    HWND otherRow = rows[0];
    for (HWND row : rows)
    {
        const RECT rect = WindowRect(row);
        const RECT best = WindowRect(otherRow);
        if (rect.left > best.left || (rect.left == best.left && rect.top > best.top))
            otherRow = row;
    }

    OpenRowMenu(otherRow);
    PressKey('E');
    HWND editor = WaitForDialog(L"Edit application");
    ASSERT_NE(nullptr, editor);
    const HWND field = GetDlgItem(editor, IDC_HOTKEY_EDIT);
    if (!IsWindowVisible(field))
    {
        // From the name over the group, the path and its button to the "Advanced" link.
        for (int tab = 0; tab < 4; ++tab)
            PressKey(VK_TAB);
        PressKey(VK_RETURN);
    }
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(field) != FALSE; })) << "no hotkey field";
    ClickControl(editor, IDC_HOTKEY_EDIT);
    ASSERT_TRUE(UnregisterHotKey(nullptr, 1));
    PressChord({VK_CONTROL, VK_MENU}, 'R');
    std::wstring shown = L"sentinel";
    ASSERT_TRUE(WaitFor([&] { return (shown = ControlText(field)) == L"Ctrl+ Alt+ R"; }))
        << "the field shows \"" << Utf8(shown) << "\"";
    ClickControl(editor, IDOK);

    // The refusal has no caption of its own: the system's "Error".
    HWND refusal = WaitForDialog(L"Error");
    ASSERT_NE(nullptr, refusal) << "no refusal for the first entry's hotkey";
    EXPECT_EQ(L"This shortcut key is already used by \"Recorder\" in \"Alpha\". Choose another "
              L"one.",
              ControlText(GetDlgItem(refusal, 0xFFFF)));
    SaveScreenshot(L"hotkey-refused");
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(refusal); }));
    EXPECT_TRUE(IsWindowVisible(editor)) << "the editor must stay open for another choice";
    ClickControl(editor, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(editor); })) << "the editor stayed open";

    // The free combination is taken by the first entry at the next timer tick.
    ASSERT_TRUE(WaitFor([] { return CombinationHeld(MOD_CONTROL | MOD_ALT, 'R'); }, 16000))
        << "the first entry did not take its combination once it was free";
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }));
    const int recorders = CountProcesses(L"launch_recorder.exe");
    HoldKey(VK_CONTROL);
    HoldKey(VK_MENU);
    HoldKey('R');
    EXPECT_TRUE(WaitFor([&] { return RecorderStarted(); })) << "the hotkey did not launch";
    // A key held down repeats its key-down without a key-up in between.
    for (int repeat = 0; repeat < 5; ++repeat)
        HoldKey('R');
    ReleaseKey('R');
    ReleaseKey(VK_MENU);
    ReleaseKey(VK_CONTROL);
    // Posted after the hotkeys, the request of a second start to show the window is handled
    // after them.
    constexpr UINT RestoreAppMessage = WM_USER + 1;
    ASSERT_TRUE(PostMessageW(window, RestoreAppMessage, 0, 0));
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(window) && !IsIconic(window); }))
        << "the window did not come back";
    // Each launch was started before the window was shown.
    EXPECT_EQ(recorders + 1, CountProcesses(L"launch_recorder.exe"))
        << "a held-down hotkey launches once";

    ASSERT_TRUE(m_program.Close());
    DWORD hotKey = 0xdead;
    EXPECT_TRUE(ReadDword(first, L"HotKey", hotKey));
    EXPECT_EQ(RecorderHotKey, hotKey) << "the first entry keeps its hotkey";
    // The second entry was never changed, so its key holds no hotkey value unless one of 0.
    hotKey = 0xdead;
    const bool stored = ReadDword(second, L"HotKey", hotKey);
    EXPECT_TRUE(!stored || hotKey == 0) << "the second entry must not take it: " << hotKey;
}
