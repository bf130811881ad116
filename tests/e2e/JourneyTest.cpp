// One user's whole way through Pathmoor with real input: the first start, categories and
// entries of every kind added, renamed, moved and deleted, hotkeys typed and used, a search,
// a launch closed again from its running ball, a copied file, an option, the tray, and a
// restart that finds everything as it was left. The screenshots of the gallery are taken
// on the way.

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/support/Files.h"
#include "tests/support/Harness.h"
#include "tests/support/ProgramTest.h"
#include "tests/support/CrossProcessInput.h"
#include "tests/support/Registry.h"
#include "tests/support/Screen.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

using namespace e2e;
using namespace test_support;

namespace
{

// Clicks into the field and types over everything it holds.
void ReplaceFieldText(HWND dialog, int id, const std::wstring& text)
{
    ClickControl(dialog, id);
    PressKey(VK_HOME, true);
    HoldKey(VK_SHIFT);
    PressKey(VK_END, true);
    ReleaseKey(VK_SHIFT);
    TypeText(text);
}

// A point of the parent that no row, header or sibling covers, in screen coordinates,
// searched from the bottom: a page may reach below the main window or under the pane.
POINT EmptyPoint(HWND parent)
{
    const RECT rect = WindowRect(parent);
    HWND root = GetAncestor(parent, GA_ROOT);
    RECT client = {};
    GetClientRect(root, &client);
    MapWindowPoints(root, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const LONG width = rect.right - rect.left;
    for (LONG y = std::min(rect.bottom, client.bottom) - 30; y > rect.top; y -= 20)
        for (const LONG x : {rect.left + width * 3 / 4, rect.left + width / 2, rect.left + 10})
            if (WindowFromPoint(POINT{x, y}) == parent)
                return {x, y};
    return {-1, -1};
}

// Where the entries of one kind live: a page whose categories stand side by side as
// columns, or the folders pane, where they stand one under another. The journey's own two
// categories sort before every other one, so they come first.
struct Surface
{
    HWND parent;
    bool stacked;
    int rows[2];   // entries in the journey's two categories
    size_t others; // rows and headers of the other categories
};

// The header of category index and what follows it. In a column a category ends where the
// windows stop touching; in the pane, where the counted rows end.
std::vector<HWND> CategoryWindows(const Surface& surface, int index)
{
    const std::vector<HWND> all = ListWindowsInOrder(surface.parent);
    std::vector<HWND> found;
    if (surface.stacked)
    {
        size_t start = 0;
        for (int i = 0; i < index; ++i)
            start += 1 + surface.rows[i];
        if (start < all.size())
            found.assign(all.begin() + start, all.end());
        return found;
    }
    std::vector<LONG> lefts;
    for (HWND window : all)
        if (lefts.empty() || lefts.back() != WindowRect(window).left)
            lefts.push_back(WindowRect(window).left);
    if (index >= static_cast<int>(lefts.size()))
        return found;
    for (HWND window : all)
    {
        const RECT rect = WindowRect(window);
        if (rect.left != lefts[index])
            continue;
        if (!found.empty() && WindowRect(found.back()).bottom != rect.top)
            break;
        found.push_back(window);
    }
    return found;
}

// Headers share one background and rows another: the same spot of two windows tells
// whether they are of the same sort.
bool LooksAlike(HWND first, HWND second)
{
    const RECT a = WindowRect(first);
    const RECT b = WindowRect(second);
    return ScreenPixel({a.right - 4, a.top + 3}) == ScreenPixel({b.right - 4, b.top + 3});
}

// Whether the journey's two categories show exactly their counted rows.
bool ShowsCountedRows(const Surface& surface)
{
    if (surface.stacked)
    {
        const std::vector<HWND> all = ListWindowsInOrder(surface.parent);
        const size_t second = 1 + surface.rows[0];
        return all.size() == surface.others + 2 + surface.rows[0] + surface.rows[1] &&
               LooksAlike(all[0], all[second]) &&
               (surface.rows[0] == 0 || !LooksAlike(all[0], all[1]));
    }
    return CategoryWindows(surface, 0).size() == 1u + surface.rows[0] &&
           CategoryWindows(surface, 1).size() == 1u + surface.rows[1];
}

// One kind of entry with what the journey does to it.
struct EntryKind
{
    const wchar_t* addTitle;
    const wchar_t* editTitle;
    const wchar_t* deletePrompt;
    std::wstring path;
    std::wstring first;  // stays, hotkey and all, and is dragged into the second category
    std::wstring second; // renamed and moved by the editor, then deleted
    std::wstring renamed;
};

class JourneyTest : public CProgramTest
{
protected:
    JourneyTest() : CProgramTest(EProgramKey::Deleted) {}

    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(CProgramTest::SetUp());
        const std::wstring temp = TempFolder();
        m_record = PrepareLaunchRecord(L"pathmoor-journey-record.txt");
        m_readerOutput = temp + L"pathmoor-journey-clipboard.txt";
        m_note = temp + L"pathmoor-journey-note.txt";
        m_folder = temp + L"pathmoor-journey-folder";
        HANDLE note = CreateFileW(m_note.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, note);
        DWORD written = 0;
        WriteFile(note, "journey\r\n", 9, &written, nullptr);
        CloseHandle(note);
        ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr) ||
                    GetLastError() == ERROR_ALREADY_EXISTS);
    }

    void TearDown() override
    {
        if (PopupMenuShown())
            PressKey(VK_ESCAPE);
        CloseLaunched();
        CProgramTest::TearDown();
        DeleteFileW(m_record.c_str());
        DeleteFileW(m_readerOutput.c_str());
        DeleteFileW(m_note.c_str());
        RemoveDirectoryW(m_folder.c_str());
    }

    void Start(int line)
    {
        SCOPED_TRACE(testing::Message() << "called from line " << line);
        ASSERT_TRUE(m_program.Start());
        m_window = m_program.WaitForMainWindow();
        ASSERT_NE(nullptr, m_window) << "no main window appeared";
        ASSERT_TRUE(WaitFor([&] { return TrayIconExists(m_window, 1); })) << "no tray icon";
        m_toolbar = FindWindowExW(m_window, nullptr, L"ShortcutsToolBar", nullptr);
        m_tabs = FindWindowExW(m_window, nullptr, L"TabControl", nullptr);
        m_applications = {
            FindWindowExW(m_window, nullptr, L"Page", L"ApplicationsPage"), false, {0, 0}, 0};
        m_shortcuts = {
            FindWindowExW(m_window, nullptr, L"Page", L"ShortcutsPage"), false, {0, 0}, 0};
        m_folders = {FindWindowExW(m_window, nullptr, L"FoldersPane", nullptr), true, {0, 0}, 0};
        ASSERT_TRUE(m_toolbar && m_tabs && m_applications.parent && m_shortcuts.parent &&
                    m_folders.parent);
    }

    HWND WaitForDialog(const wchar_t* title, const wchar_t* text = nullptr)
    {
        HWND found = nullptr;
        WaitFor(
            [&]
            {
                found = FindTopLevel({m_program.Pid(), DialogClass, title, text});
                return found != nullptr && GetForegroundWindow() == found;
            });
        return found;
    }

    static bool OpenMenu(POINT point)
    {
        Click(point.x, point.y, false);
        const bool shown = WaitFor(PopupMenuShown);
        wchar_t under[64] = L"";
        GetClassNameW(WindowFromPoint(point), under, 64);
        EXPECT_TRUE(shown) << "no menu opened at " << point.x << "," << point.y << " over a \""
                           << Utf8(under) << "\"";
        return shown;
    }

    // Right-clicks the row or header and chooses the menu item by its underlined letter.
    void ChooseFromMenu(HWND listWindow, WORD letter)
    {
        ASSERT_NE(nullptr, listWindow);
        const RECT rect = WindowRect(listWindow);
        ASSERT_TRUE(OpenMenu({rect.left + 70, rect.top + 11}));
        PressKey(letter);
        ASSERT_TRUE(WaitFor([] { return !PopupMenuShown(); })) << "the menu stayed open";
    }

    void ClickToolbar(POINT point)
    {
        const RECT rect = WindowRect(m_toolbar);
        Click(rect.left + point.x, rect.top + point.y);
    }

    void ShowPage(int index)
    {
        const POINT tab = TabPoint(m_tabs, index);
        Click(tab.x, tab.y);
        const Surface& page = index == 0 ? m_applications : m_shortcuts;
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(page.parent) != FALSE; }))
            << "page " << index << " did not come up";
        Settle(m_window);
    }

    // The category dialog, opened by the caller, takes the name (over the old one) and Enter.
    void NameCategory(const wchar_t* title, const std::wstring& name)
    {
        HWND dialog = WaitForDialog(title);
        ASSERT_NE(nullptr, dialog) << "no dialog \"" << Utf8(title) << "\"";
        ReplaceFieldText(dialog, IDC_CATEGORY_NAME_EDIT, name);
        PressKey(VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); })) << "the dialog stayed open";
        Settle(m_window);
    }

    // From the toolbar's "Add group" or the right-click menu of the page or pane.
    void AddCategory(const Surface& surface, const std::wstring& name, bool fromToolbar)
    {
        if (fromToolbar)
        {
            ClickToolbar(AddGroupPoint);
            NameCategory(L"Add category", name);
            return;
        }
        const POINT empty = EmptyPoint(surface.parent);
        ASSERT_GE(empty.x, 0) << "no empty place to right-click";
        ASSERT_TRUE(OpenMenu(empty));
        // The page's menu has no underlined letter; the pane's item is "&Add category".
        if (surface.stacked)
            PressKey('A');
        else
        {
            PressKey(VK_DOWN);
            PressKey(VK_RETURN);
        }
        NameCategory(L"Add category", name);
    }

    // Answers a confirmation that shows the text with its default button, Yes.
    void Confirm(const wchar_t* text)
    {
        HWND box = WaitForDialog(nullptr, text);
        ASSERT_NE(nullptr, box) << "no question \"" << Utf8(text) << "\"";
        PressKey(VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); })) << "the question stayed";
        Settle(m_window);
    }

    // Two new categories, the second renamed, and a category of the first start deleted
    // with its entries: the journey's own sort first, so the third is one of the defaults.
    void ArrangeCategories(Surface& surface, const std::wstring& first, const std::wstring& draft,
                           const std::wstring& second, bool toolbarForFirst, int line)
    {
        SCOPED_TRACE(testing::Message() << "called from line " << line);
        AddCategory(surface, first, toolbarForFirst);
        if (HasFatalFailure())
            return;
        AddCategory(surface, draft, !toolbarForFirst && !surface.stacked);
        if (HasFatalFailure())
            return;
        // In the pane the new, empty categories are simply the first two windows.
        ASSERT_TRUE(WaitFor(
            [&]
            {
                return surface.stacked ? Header(surface, 1) != nullptr
                                       : CategoryWindows(surface, 1).size() == 1;
            }))
            << "the new categories are not shown first";

        ChooseFromMenu(Header(surface, 1), 'E');
        NameCategory(L"Edit category", second);
        if (HasFatalFailure())
            return;

        const size_t before = ListWindowsInOrder(surface.parent).size();
        ChooseFromMenu(Header(surface, 2), 'D');
        Confirm(L"Delete the category with all included items?");
        ASSERT_LT(ListWindowsInOrder(surface.parent).size(), before) << "nothing was deleted";
        surface.others = ListWindowsInOrder(surface.parent).size() - 2;
    }

    static HWND Header(const Surface& surface, int category)
    {
        const std::vector<HWND> windows = CategoryWindows(surface, category);
        return windows.empty() ? nullptr : windows[0];
    }

    static HWND Row(const Surface& surface, int category, int row)
    {
        const std::vector<HWND> windows = CategoryWindows(surface, category);
        return static_cast<size_t>(row + 1) < windows.size() ? windows[row + 1] : nullptr;
    }

    void WaitForCountedRows(const Surface& surface, const char* after)
    {
        ASSERT_TRUE(WaitFor([&] { return ShowsCountedRows(surface); }))
            << "after " << after << " the categories show " << CategoryWindows(surface, 0).size()
            << " and " << CategoryWindows(surface, 1).size() << " windows, expected rows "
            << surface.rows[0] << " and " << surface.rows[1];
        Settle(m_window);
    }

    // The item editor's fields filled as a user does; the hotkey field unfolds first.
    void FillEditor(HWND editor, const std::wstring& path, bool withHotKey)
    {
        ClickControl(editor, IDC_PATH_EDIT);
        TypeText(path);
        if (!withHotKey)
            return;
        ASSERT_TRUE(TypeRecorderHotKey(editor));
    }

    void AddEntry(Surface& surface, const EntryKind& kind, const std::wstring& name,
                  bool withHotKey, const wchar_t* screenshot)
    {
        ChooseFromMenu(Header(surface, 0), 'A');
        HWND editor = WaitForDialog(kind.addTitle);
        ASSERT_NE(nullptr, editor) << "no dialog \"" << Utf8(kind.addTitle) << "\"";
        TypeText(name);
        FillEditor(editor, kind.path, withHotKey);
        if (HasFatalFailure())
            return;
        if (screenshot != nullptr)
        {
            EXPECT_FALSE(SaveScreenshot(screenshot).empty());
        }
        ClickControl(editor, IDOK);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(editor); })) << "the editor stayed open";
        ++surface.rows[0];
        WaitForCountedRows(surface, "an addition");
    }

    // The editor renames the entry and moves it to the second category by its group.
    void RenameAndRegroup(Surface& surface, const EntryKind& kind, HWND row)
    {
        ChooseFromMenu(row, 'E');
        HWND editor = WaitForDialog(kind.editTitle);
        ASSERT_NE(nullptr, editor) << "no dialog \"" << Utf8(kind.editTitle) << "\"";
        ReplaceFieldText(editor, IDC_NAME_EDIT, kind.renamed);
        ClickControl(editor, IDC_GROUP_COMBO);
        PressKey('2');
        PressKey(VK_RETURN);
        // Enter closes the dropped list; Wine's dialog then takes it as OK as well.
        ASSERT_TRUE(WaitFor(
            [&]
            {
                return !IsWindow(editor) ||
                       ControlText(GetDlgItem(editor, IDC_GROUP_COMBO)).compare(0, 1, L"2") == 0;
            }))
            << "the second category was not chosen";
        if (IsWindow(editor))
            ClickControl(editor, IDOK);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(editor); })) << "the editor stayed open";
        --surface.rows[0];
        ++surface.rows[1];
        WaitForCountedRows(surface, "the editor's move");
    }

    // Adds two entries to the first category, renames and regroups the second with the
    // editor and deletes it there, then drags the first onto the second category's header.
    void WorkWithEntries(Surface& surface, const EntryKind& kind, bool withHotKey,
                         const wchar_t* editorScreenshot, int line)
    {
        SCOPED_TRACE(testing::Message() << "called from line " << line);
        AddEntry(surface, kind, kind.first, withHotKey, editorScreenshot);
        if (HasFatalFailure())
            return;
        AddEntry(surface, kind, kind.second, false, nullptr);
        if (HasFatalFailure())
            return;
        // Entries are sorted by name: the second follows the first.
        RenameAndRegroup(surface, kind, Row(surface, 0, 1));
        if (HasFatalFailure())
            return;

        ChooseFromMenu(Row(surface, 1, 0), 'D');
        Confirm(kind.deletePrompt);
        --surface.rows[1];
        WaitForCountedRows(surface, "a deletion");
        if (HasFatalFailure())
            return;

        ASSERT_TRUE(Row(surface, 0, 0) && Header(surface, 1));
        const RECT row = WindowRect(Row(surface, 0, 0));
        const RECT header = WindowRect(Header(surface, 1));
        Drag({row.left + 60, row.top + 11}, {header.left + 60, header.top + 11});
        // Off the rows, so that no hover look is taken for the other sort of window.
        const POINT away = EmptyPoint(surface.parent);
        MoveMouse(away.x, away.y);
        --surface.rows[0];
        ++surface.rows[1];
        WaitForCountedRows(surface, "the drag");
    }

    bool RecorderStarted() { return ReadRecord(m_record).size() == 3; }

    // Keeps the started recorder's process for closing it and the clean-up.
    void TakeLaunched()
    {
        const std::vector<std::wstring> record = ReadRecord(m_record);
        ASSERT_EQ(3u, record.size());
        m_launched =
            OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE,
                        std::stoul(record[2]));
        ASSERT_NE(nullptr, m_launched);
    }

    void CloseLaunched()
    {
        if (m_launched == nullptr)
            return;
        TerminateProcess(m_launched, 255);
        WaitForSingleObject(m_launched, DefaultTimeoutMs);
        CloseHandle(m_launched);
        m_launched = nullptr;
        DeleteFileW(m_record.c_str());
    }

    void MinimiseByCaption()
    {
        const RECT rect = WindowRect(m_window);
        const int minimiseX =
            rect.right - GetSystemMetrics(SM_CXFRAME) - GetSystemMetrics(SM_CXSIZE) * 5 / 2;
        const int captionY =
            rect.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSIZE) / 2;
        Click(minimiseX, captionY);
        ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(m_window); }))
            << "minimising did not hide the window";
        Settle(m_window);
    }

    // Another program comes to the front: the main window goes to the tray, and global
    // hotkeys are pressed only once the window has given up the keyboard.
    void SendToTray()
    {
        ShowWindow(m_window, SW_MINIMIZE);
        ASSERT_TRUE(WaitFor(
            [&] { return !IsWindowVisible(m_window) && GetForegroundWindow() != m_window; }));
        Settle(m_window);
    }

    void RestoreFromTray()
    {
        const POINT icon = TrayIconPoint();
        Click(icon.x, icon.y);
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(m_window) && !IsIconic(m_window); }))
            << "the tray click did not bring the window back";
        ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == m_window; }));
        Settle(m_window);
    }

    void ExitFromTray()
    {
        ASSERT_TRUE(OpenMenu(TrayIconPoint()));
        PressKey('X');
        ASSERT_TRUE(m_program.WaitForExit()) << "E&xit did not end the program";
        EXPECT_EQ(0u, m_program.ExitCode());
    }

    HWND m_window = nullptr;
    HWND m_toolbar = nullptr;
    HWND m_tabs = nullptr;
    Surface m_applications = {};
    Surface m_shortcuts = {};
    Surface m_folders = {};
    std::wstring m_record;
    std::wstring m_readerOutput;
    std::wstring m_note;
    std::wstring m_folder;
    HANDLE m_launched = nullptr;
};
} // namespace

TEST_F(JourneyTest, FromTheFirstStartToARestartThatFindsEverythingAsLeft)
{
    // First start: the defaults of a new user.
    Start(__LINE__);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(WaitFor([&] { return CategoryWindows(m_applications, 0).size() == 1; }))
        << "no default category header on the applications page";
    EXPECT_FALSE(SaveScreenshot(L"01-first-start").empty());

    // Categories on both pages and in the folders pane.
    ArrangeCategories(m_applications, L"1 Tools", L"2 Work", L"2 Projects", true, __LINE__);
    ASSERT_FALSE(HasFatalFailure());
    ArrangeCategories(m_folders, L"1 Archive", L"2 Stash", L"2 Store", false, __LINE__);
    ASSERT_FALSE(HasFatalFailure());
    ShowPage(1);
    ASSERT_FALSE(HasFatalFailure());
    ArrangeCategories(m_shortcuts, L"1 Notes", L"2 Draft", L"2 Papers", false, __LINE__);
    ASSERT_FALSE(HasFatalFailure());

    // Entries of all three kinds; the application carries a typed hotkey.
    const EntryKind shortcut = {
        L"Add shortcut", L"Edit shortcut", L"Delete shortcut from the list?", m_note, L"Note",
        L"Other",        L"Other renamed"};
    WorkWithEntries(m_shortcuts, shortcut, false, nullptr, __LINE__);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_FALSE(SaveScreenshot(L"03-shortcuts-page").empty());

    // "&Copy" hands the shortcut's file to another program.
    ChooseFromMenu(Row(m_shortcuts, 1, 0), 'C');
    EXPECT_EQ(Utf8(m_note) + "\n", RunClipboardReader(L"win32", m_readerOutput));

    ShowPage(0);
    ASSERT_FALSE(HasFatalFailure());
    const EntryKind application = {L"Add application",
                                   L"Edit application",
                                   L"Delete application from the list?",
                                   ExecutableDirectory() + L"launch_recorder.exe",
                                   L"Recorder",
                                   L"Scratch",
                                   L"Scratch renamed"};
    WorkWithEntries(m_applications, application, true, L"04-item-editor", __LINE__);
    ASSERT_FALSE(HasFatalFailure());
    const EntryKind folder = {L"Add folder",    L"Edit folder", L"Delete folder from the list?",
                              m_folder,         L"Files",       L"Papers",
                              L"Papers renamed"};
    WorkWithEntries(m_folders, folder, false, nullptr, __LINE__);
    ASSERT_FALSE(HasFatalFailure());

    // The entry's hotkey, pressed while another program is in front, survived the drag.
    SendToTray();
    PressChord({VK_CONTROL, VK_MENU}, 'R');
    ASSERT_TRUE(WaitFor([&] { return RecorderStarted(); })) << "the entry's hotkey did nothing";
    TakeLaunched();
    CloseLaunched();
    RestoreFromTray();
    ASSERT_FALSE(HasFatalFailure());

    // The show-window hotkey set from the tray's options.
    ASSERT_TRUE(OpenMenu(TrayIconPoint()));
    PressKey('O');
    PressKey('S');
    HWND keyDialog = WaitForDialog(L"Shortcut key");
    ASSERT_NE(nullptr, keyDialog);
    PressChord({VK_CONTROL, VK_MENU}, 'K');
    ClickControl(keyDialog, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(keyDialog); })) << "the dialog stayed";
    SendToTray();
    PressChord({VK_CONTROL, VK_MENU}, 'K');
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(m_window) && !IsIconic(m_window); }))
        << "the show-window hotkey did not bring the window back";
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == m_window; }));
    Settle(m_window);

    // A search highlights the match in its row, and clearing it removes the highlight.
    const std::vector<HWND> applicationRows = ListWindowsInOrder(m_applications.parent);
    ASSERT_EQ(0, CountColourIn(applicationRows, Yellow)) << "yellow before any search";
    ClickToolbar(SearchBoxPoint);
    TypeLetters(L"cord");
    ASSERT_TRUE(WaitFor([&] { return CountColourIn({Row(m_applications, 1, 0)}, Yellow) > 0; }))
        << "the match was not highlighted";
    EXPECT_FALSE(SaveScreenshot(L"05-search").empty());
    for (int i = 0; i < 4; ++i)
        PressKey(VK_BACK);
    ASSERT_TRUE(WaitFor([&] { return CountColourIn(applicationRows, Yellow) == 0; }))
        << "the highlight stayed after clearing";

    // A click starts the program, its ball shows it running, a click on the ball closes it.
    // The recorder the hotkey started is gone, but the ball shows it until the next scan.
    const RECT rowRect = WindowRect(Row(m_applications, 1, 0));
    const POINT ball = {rowRect.left + BallCentreX, rowRect.top + BallCentreY};
    const COLORREF stoppedBall = BallCentreColour(IDI_NOT_RUNNING);
    ASSERT_NE(CLR_INVALID, stoppedBall);
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(ball) == stoppedBall; }, 20000))
        << "the ball kept showing the closed program running";
    Click(rowRect.left + 90, rowRect.top + 11);
    ASSERT_TRUE(WaitFor([&] { return RecorderStarted(); })) << "the row did not start it";
    TakeLaunched();
    SetForegroundWindow(m_window);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == m_window; }));
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(ball) != stoppedBall; }, 20000))
        << "the ball did not show the program running";
    EXPECT_FALSE(SaveScreenshot(L"02-applications-page").empty());
    Click(ball.x, ball.y);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(m_launched, DefaultTimeoutMs))
        << "the ball did not close the program";
    CloseLaunched();

    // An option from the tray menu, stored at once.
    ASSERT_TRUE(OpenMenu(TrayIconPoint()));
    EXPECT_FALSE(SaveScreenshot(L"06-tray-menu").empty());
    // &Options opens with its first entry selected; two down is "Show folder icons".
    PressKey('O');
    for (int i = 0; i < 2; ++i)
        PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([] { return !PopupMenuShown(); }));
    DWORD folderIcons = 0xdead;
    ASSERT_TRUE(WaitFor([&] { return ReadDword(ProgramRoot, L"ShowFolderIcons", folderIcons); }))
        << "the option was not stored";
    EXPECT_EQ(0u, folderIcons);

    // To the tray and back, then out.
    MinimiseByCaption();
    ASSERT_FALSE(HasFatalFailure());
    RestoreFromTray();
    ASSERT_FALSE(HasFatalFailure());
    ExitFromTray();
    ASSERT_FALSE(HasFatalFailure());

    EXPECT_EQ((std::vector<std::wstring>{L"1 Tools", L"2 Projects", L"Ease of Access", L"Games",
                                         L"System Tools"}),
              SubKeys(ApplicationsKey));
    EXPECT_EQ(std::vector<std::wstring>{}, SubKeys(ApplicationsKey + L"\\1 Tools"));
    EXPECT_EQ(std::vector<std::wstring>{L"Recorder"}, SubKeys(ApplicationsKey + L"\\2 Projects"));
    DWORD hotKey = 0xdead;
    EXPECT_TRUE(ReadDword(ApplicationsKey + L"\\2 Projects\\Recorder", L"HotKey", hotKey));
    EXPECT_EQ(RecorderHotKey, hotKey);
    EXPECT_EQ((std::vector<std::wstring>{L"1 Notes", L"2 Papers"}), SubKeys(ShortcutsKey));
    EXPECT_EQ(std::vector<std::wstring>{L"Note"}, SubKeys(ShortcutsKey + L"\\2 Papers"));
    EXPECT_EQ(m_note, ReadString(ShortcutsKey + L"\\2 Papers\\Note", L"ItemPath"));
    EXPECT_EQ((std::vector<std::wstring>{L"1 Archive", L"2 Store", L"My folders"}),
              SubKeys(FoldersKey));
    EXPECT_EQ(std::vector<std::wstring>{L"Files"}, SubKeys(FoldersKey + L"\\2 Store"));
    DWORD modifiers = 0xdead;
    DWORD key = 0xdead;
    EXPECT_TRUE(ReadDword(ShowKey, L"Modifiers", modifiers));
    EXPECT_TRUE(ReadDword(ShowKey, L"Key", key));
    EXPECT_EQ(static_cast<DWORD>(MOD_CONTROL | MOD_ALT), modifiers);
    EXPECT_EQ(static_cast<DWORD>('K'), key);
    const std::vector<std::wstring> beforeRestart = DumpTree(ProgramRoot);

    // The restart shows the same rows and leaves the registry as it found it.
    const size_t paneOthers = m_folders.others;
    Start(__LINE__);
    ASSERT_FALSE(HasFatalFailure());
    m_applications.rows[0] = m_shortcuts.rows[0] = m_folders.rows[0] = 0;
    m_applications.rows[1] = m_shortcuts.rows[1] = m_folders.rows[1] = 1;
    m_folders.others = paneOthers;
    WaitForCountedRows(m_applications, "the restart");
    WaitForCountedRows(m_folders, "the restart");
    ShowPage(1);
    WaitForCountedRows(m_shortcuts, "the restart");
    // The tray menu's exit was taken before the restart; this one ends it the same way.
    ASSERT_TRUE(m_program.Close()) << "the program did not end";
    EXPECT_EQ(0u, m_program.ExitCode());
    EXPECT_EQ(beforeRestart, DumpTree(ProgramRoot));
}
