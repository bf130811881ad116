// Adding, editing and renaming through the dialogs as a user does it: menus opened with the
// mouse, names and hotkeys typed on the keyboard, and the registry read back.

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/e2e/Harness.h"

#include <shellapi.h>

#include <string>
#include <vector>

using namespace e2e;

namespace
{
const std::wstring CategoriesKey = std::wstring(ProgramRoot) + L"\\Applications\\Category\\";
const std::wstring ShowKey = std::wstring(ProgramRoot) + L"\\KeyShortcuts\\Show";
const wchar_t DialogClass[] = L"#32770";
const wchar_t MenuClass[] = L"#32768";
// Ctrl+Alt+R as a shell-link hotkey word: HOTKEYF_CONTROL | HOTKEYF_ALT above the key.
constexpr DWORD RecorderHotKey = 0x0652;

struct DialogSearch
{
    DWORD pid;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<DialogSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t className[16] = {};
    wchar_t title[128] = {};
    GetClassNameW(window, className, 16);
    GetWindowTextW(window, title, 128);
    if (pid != search->pid || lstrcmpW(className, DialogClass) != 0 ||
        lstrcmpW(title, search->title) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

// A dialog of the program with that title, visible or hidden, or null.
HWND FindDialog(DWORD pid, const wchar_t* title)
{
    DialogSearch search = {pid, title, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool PopupMenuShown()
{
    HWND menu = FindWindowW(MenuClass, nullptr);
    return menu != nullptr && IsWindowVisible(menu);
}

// Characters as the keyboard would give them, whatever the layout.
void TypeText(const std::wstring& text)
{
    for (wchar_t c : text)
    {
        INPUT input[2] = {};
        for (INPUT& key : input)
        {
            key.type = INPUT_KEYBOARD;
            key.ki.wScan = c;
            key.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
    }
}

void PressChord(std::initializer_list<WORD> modifiers, WORD key);
// A global hotkey is pressed while another program is in front: the main window goes to
// the tray first.
void PressHotKeyFromElsewhere(HWND window, WORD key)
{
    ShowWindow(window, SW_MINIMIZE);
    PressChord({VK_CONTROL, VK_MENU}, key);
}

void PressChord(std::initializer_list<WORD> modifiers, WORD key)
{
    for (WORD modifier : modifiers)
        KeyDown(modifier);
    PressKey(key);
    for (auto it = modifiers.end(); it != modifiers.begin();)
        KeyUp(*--it);
}

POINT CentreOf(HWND window)
{
    const RECT rect = WindowRect(window);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void ClickControl(HWND dialog, int id)
{
    const POINT centre = CentreOf(GetDlgItem(dialog, id));
    Click(centre.x, centre.y);
}

// GetWindowTextW does not ask a control of another process: the control is asked here.
std::wstring ControlText(HWND control)
{
    wchar_t text[256] = L"";
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_BLOCK,
                        DefaultTimeoutMs, &copied);
    return text;
}

bool WriteString(const std::wstring& path, const wchar_t* name, const std::wstring& value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result =
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool CreateKey(const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

DWORD SubKeyCount(const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    DWORD count = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return count;
}

bool KeyExists(const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::wstring TempFolder()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return temp;
}

// The visible rows and headers of the applications page, top to bottom.
std::vector<HWND> PageRows(HWND window)
{
    HWND page = FindWindowExW(window, nullptr, L"Page", L"ApplicationsPage");
    std::vector<HWND> rows;
    for (HWND child = FindWindowExW(page, nullptr, L"ListItem", nullptr); child != nullptr;
         child = FindWindowExW(page, child, L"ListItem", nullptr))
        if (IsWindowVisible(child))
            rows.push_back(child);
    return rows;
}

class DialogFlowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, CountWindowsOfClass(MainWindowClass)) << "a Pathmoor window is left over";
        DeleteProgramRoot();
        // A returning user: no first-start defaults in the way.
        ASSERT_TRUE(WriteDword(ProgramRoot, L"FirstLaunch", 0));
        m_record = TempFolder() + L"pathmoor-dialog-record.txt";
        DeleteFileW(m_record.c_str());
        SetEnvironmentVariableW(L"PATHMOOR_LAUNCH_RECORD", m_record.c_str());
    }

    void TearDown() override
    {
        if (PopupMenuShown())
            PressKey(VK_ESCAPE);
        m_program.Kill();
        CloseRecorder();
        DeleteProgramRoot();
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
            << "no dialog \"" << std::string(title, title + lstrlenW(title)) << "\" appeared";
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

    static void CloseRecorder()
    {
        if (HWND recorder = FindWindowW(nullptr, L"Launch recorder"))
            PostMessageW(recorder, WM_CLOSE, 0, 0);
    }

    CProgram m_program;
    std::wstring m_record;
};
} // namespace

TEST_F(DialogFlowTest, PageMenuAddsACategoryAndRefusesTheSameNameInOtherLetters)
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

    ASSERT_TRUE(m_program.Close());
    EXPECT_TRUE(KeyExists(CategoriesKey + L"Tools"));
    EXPECT_EQ(1u, SubKeyCount(CategoriesKey)) << "more than one category was stored";
}

TEST_F(DialogFlowTest, EditorAddsAnApplicationWhoseTypedHotKeyStartsIt)
{
    ASSERT_TRUE(CreateKey(CategoriesKey + L"Tools"));
    HWND window = Start();
    ASSERT_NE(nullptr, window);
    std::vector<HWND> rows;
    ASSERT_TRUE(WaitFor([&] { return (rows = PageRows(window)).size() == 1; }))
        << "no header for the stored category";

    OpenRowMenu(rows[0]);
    PressKey('A');
    HWND editor = WaitForDialog(L"Add application");
    ASSERT_NE(nullptr, editor);
    TypeText(L"Recorder");
    ClickControl(editor, IDC_PATH_EDIT);
    TypeText(ExecutableDirectory() + L"launch_recorder.exe");
    if (!IsWindowVisible(GetDlgItem(editor, IDC_HOTKEY_EDIT)))
    {
        // From the path over the browse button to the "Advanced" link, opened by keyboard.
        PressKey(VK_TAB);
        PressKey(VK_TAB);
        PressKey(VK_RETURN);
    }
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(GetDlgItem(editor, IDC_HOTKEY_EDIT)); }))
        << "the advanced fields did not unfold";
    ClickControl(editor, IDC_HOTKEY_EDIT);
    PressChord({VK_CONTROL, VK_MENU}, 'R');
    std::wstring shown = L"sentinel";
    ASSERT_TRUE(WaitFor(
        [&]
        { return (shown = ControlText(GetDlgItem(editor, IDC_HOTKEY_EDIT))) == L"Ctrl+ Alt+ R"; }))
        << "the hotkey field shows \"" << std::string(shown.begin(), shown.end()) << "\"";
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
    HWND recorderRow = nullptr;
    for (HWND row : rows)
        if (WindowRect(row).left == WindowRect(rows[0]).left && row != rows[0] &&
            (recorderRow == nullptr || WindowRect(row).top < WindowRect(recorderRow).top))
            recorderRow = row;
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

TEST_F(DialogFlowTest, ShortcutKeyDialogFromTheTraySetsTheShowWindowHotKey)
{
    HWND window = Start();
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(WaitFor([&] { return TrayIconExists(window, 1); })) << "no tray icon";
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    const RECT trayRect = WindowRect(tray);
    const POINT icon = {trayRect.right - 11, (trayRect.top + trayRect.bottom) / 2};

    Click(icon.x, icon.y, false);
    ASSERT_TRUE(WaitFor(PopupMenuShown)) << "the tray menu did not open";
    PressKey('O');
    PressKey('S');
    HWND dialog = WaitForDialog(L"Shortcut key");
    ASSERT_NE(nullptr, dialog);

    // A second request brings the same dialog forward instead of opening another.
    Click(icon.x, icon.y, false);
    ASSERT_TRUE(WaitFor(PopupMenuShown)) << "the tray menu did not open again";
    PressKey('O');
    PressKey('S');
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
    ASSERT_TRUE(WaitFor([&] { return TrayIconExists(window, 1); })) << "no tray icon";
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    const RECT trayRect = WindowRect(tray);
    Click(trayRect.right - 11, (trayRect.top + trayRect.bottom) / 2, false);
    ASSERT_TRUE(WaitFor(PopupMenuShown)) << "the tray menu did not open";
    PressKey('O');
    PressKey('S');
    HWND dialog = WaitForDialog(L"Shortcut key");
    ASSERT_NE(nullptr, dialog);
    PressChord({VK_CONTROL, VK_MENU}, 'J');
    ClickControl(dialog, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); })) << "the dialog window lingers";
    EXPECT_FALSE(ValueExists(ShowKey, L"Key"));
}

TEST_F(DialogFlowTest, BrowseFillsThePathAndTheEmptyName)
{
    ASSERT_TRUE(CreateKey(CategoriesKey + L"Tools"));
    HWND window = Start();
    ASSERT_NE(nullptr, window);
    std::vector<HWND> rows;
    ASSERT_TRUE(WaitFor([&] { return (rows = PageRows(window)).size() == 1; }))
        << "no header for the stored category";
    OpenRowMenu(rows[0]);
    PressKey('A');
    HWND editor = WaitForDialog(L"Add application");
    ASSERT_NE(nullptr, editor);

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
