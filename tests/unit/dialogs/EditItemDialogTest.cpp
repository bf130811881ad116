#include "catalogue/ApplicationItem.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FolderItem.h"
#include "catalogue/ShortcutItem.h"
#include "dialogs/EditItemDialog.h"
#include "resources/resource.h"
#include "toolkit/Utilities.h"
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
std::wstring WindowText(HWND hWnd)
{
    wchar_t text[512] = L"sentinel";
    GetWindowTextW(hWnd, text, 512);
    return text;
}

std::wstring ItemText(HWND dialog, int id)
{
    return WindowText(GetDlgItem(dialog, id));
}

bool OkEnabled(HWND dialog)
{
    return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE;
}

bool Shown(HWND dialog, int id)
{
    return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE;
}

RECT ClientRectOf(HWND dialog, int id)
{
    RECT rect = {-1, -1, -1, -1};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ClickLink(HWND dialog)
{
    NMHDR header = {GetDlgItem(dialog, IDC_ADVANCED_LINK), IDC_ADVANCED_LINK,
                    static_cast<UINT>(NM_CLICK)};
    SendMessageW(dialog, WM_NOTIFY, IDC_ADVANCED_LINK, reinterpret_cast<LPARAM>(&header));
}

// An existing empty file with the given name in the temporary folder, removed at the end.
class CScratchFile
{
public:
    explicit CScratchFile(const std::wstring& name)
    {
        wchar_t folder[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, folder);
        m_path = folder + name;
        const HANDLE file = CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(INVALID_HANDLE_VALUE, file) << "error " << GetLastError();
        CloseHandle(file);
    }
    ~CScratchFile() { DeleteFileW(m_path.c_str()); }
    CScratchFile(const CScratchFile&) = delete;
    CScratchFile& operator=(const CScratchFile&) = delete;

    std::wstring m_path;
};

// The editor with the program's main window and its catalogue behind it, driven from
// inside its modal loop.
class DialogsEditItem : public test_support::CMainWindowTest
{
protected:
    void SetUp() override
    {
        CMainWindowTest::SetUp();
        test_support::ReleaseModifiers();
        m_tools = m_catalogue->m_applications.AddCategory(L"Zeta tools");
        m_catalogue->m_shortcuts.AddCategory(L"Zeta links");
        m_catalogue->m_folders.AddCategory(L"Zeta places");
        m_dialog.m_name = L"sentinel";
    }

    void TearDown() override
    {
        test_support::ReleaseModifiers();
        CMainWindowTest::TearDown();
    }

    // Runs the editor with the script inside it; the script must end it.
    template <typename... Values>
    int Run(ListKind kind, const std::function<void(HWND dialog, CProgramLoop& loop)>& script,
            Values... values)
    {
        CModalDriver driver(
            [&script](HWND dialog)
            {
                // The modal loop's hook, not the objects, gives the hotkey field its keys.
                CProgramLoop loop(dialog, false);
                script(dialog, loop);
            });
        const int result = m_dialog.DoModal(kind, m_mainWnd->GetHwnd(), values...);
        EXPECT_TRUE(driver.m_ran) << "the dialog was never shown";
        EXPECT_FALSE(driver.m_leftOpen) << "the script did not end the dialog";
        return result;
    }

    static void SelectGroup(HWND dialog, const std::wstring& group)
    {
        SendDlgItemMessageW(dialog, IDC_GROUP_COMBO, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(group.c_str()));
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_GROUP_COMBO, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_GROUP_COMBO)));
    }

    static void Type(CProgramLoop& loop, const std::vector<INPUT>& keys)
    {
        ASSERT_TRUE(loop.Type(keys)) << "the key messages did not come back";
    }

    static void FocusHotKey(HWND dialog)
    {
        ASSERT_TRUE(test_support::FocusControl(GetDlgItem(dialog, IDC_HOTKEY_EDIT)));
    }

    static std::wstring ProgramPath()
    {
        wchar_t path[MAX_PATH] = L"";
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        return path;
    }

    CEditItemDialog m_dialog;
    CCategory* m_tools = nullptr;
};

TEST_F(DialogsEditItem, TitlesAndLabelsFollowKindAndMode)
{
    struct Case
    {
        ListKind kind;
        bool edit;
        const wchar_t* title;
        const wchar_t* nameLabel;
        const wchar_t* pathLabel;
    };
    const Case cases[] = {
        {ListKind::Applications, false, L"Add application", L"Application &name:",
         L"Application &path:"},
        {ListKind::Shortcuts, true, L"Edit shortcut", L"Shortcut &name:", L"Shortcut &path:"},
        {ListKind::Folders, false, L"Add folder", L"Folder &name:", L"Folder &path:"},
        {ListKind::Folders, true, L"Edit folder", L"Folder &name:", L"Folder &path:"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message()
                     << "kind " << static_cast<int>(c.kind) << " edit " << c.edit);
        const auto script = [&c](HWND dialog, CProgramLoop&)
        {
            EXPECT_EQ(c.title, WindowText(dialog));
            EXPECT_EQ(c.nameLabel, ItemText(dialog, IDC_NAME_LABEL));
            EXPECT_EQ(c.pathLabel, ItemText(dialog, IDC_PATH_LABEL));
            SendDlgItemMessageW(dialog, IDCANCEL, BM_CLICK, 0, 0);
        };
        const int result = c.edit ? Run(c.kind, script, std::wstring(L"Old"))
                                  : Run(c.kind, script, std::nullopt, std::wstring(L"Zeta"));
        EXPECT_EQ(IDCANCEL, result);
    }
}

TEST_F(DialogsEditItem, OkNeedsNameGroupAndAFittingPath)
{
    CScratchFile upper(L"h4 tool.EXE");
    CScratchFile link(L"h4 tool.lnk");
    Run(ListKind::Applications,
        [&](HWND dialog, CProgramLoop&)
        {
            EXPECT_FALSE(OkEnabled(dialog));
            SetDlgItemTextW(dialog, IDC_NAME_EDIT, L"Tool");
            SetDlgItemTextW(dialog, IDC_PATH_EDIT, upper.m_path.c_str());
            EXPECT_FALSE(OkEnabled(dialog)) << "no group chosen";
            SelectGroup(dialog, L"Zeta tools");
            EXPECT_TRUE(OkEnabled(dialog)) << "an .EXE in capitals is a program";
            SetDlgItemTextW(dialog, IDC_NAME_EDIT, L"   ");
            EXPECT_FALSE(OkEnabled(dialog)) << "a name of blanks";
            SetDlgItemTextW(dialog, IDC_NAME_EDIT, L"Tool");
            SetDlgItemTextW(dialog, IDC_PATH_EDIT, link.m_path.c_str());
            EXPECT_FALSE(OkEnabled(dialog)) << "a shell link is no program";
            SetDlgItemTextW(dialog, IDC_PATH_EDIT, (upper.m_path.substr(0, 3) + L"*").c_str());
            EXPECT_FALSE(OkEnabled(dialog)) << "a wildcard";
            SendDlgItemMessageW(dialog, IDCANCEL, BM_CLICK, 0, 0);
        });
    Run(
        ListKind::Shortcuts,
        [&](HWND dialog, CProgramLoop&)
        {
            SetDlgItemTextW(dialog, IDC_NAME_EDIT, L"Link");
            SetDlgItemTextW(dialog, IDC_PATH_EDIT, link.m_path.c_str());
            EXPECT_TRUE(OkEnabled(dialog)) << "a shortcut may be any file";
            SendDlgItemMessageW(dialog, IDCANCEL, BM_CLICK, 0, 0);
        },
        std::nullopt, std::wstring(L"Zeta links"));
}

TEST_F(DialogsEditItem, OkBuildsTheApplicationFromTheFields)
{
    const std::wstring path = ProgramPath();
    const std::wstring longName = L"  " + std::wstring(150, L'n') + L"  ";
    const int result = Run(
        ListKind::Applications,
        [&](HWND dialog, CProgramLoop& loop)
        {
            SetDlgItemTextW(dialog, IDC_NAME_EDIT, longName.c_str());
            SetDlgItemTextW(dialog, IDC_PATH_EDIT, path.c_str());
            SetDlgItemTextW(dialog, IDC_ARGUMENTS_EDIT, L" -x ");
            SetDlgItemTextW(dialog, IDC_START_IN_EDIT, L"C:\\work");
            FocusHotKey(dialog);
            Type(loop, Chord({VK_CONTROL, VK_MENU, 'K'}));
            EXPECT_EQ(L"Ctrl+ Alt+ K", ItemText(dialog, IDC_HOTKEY_EDIT));
            ASSERT_TRUE(OkEnabled(dialog));
            SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
        },
        std::nullopt, std::wstring(L"zeta TOOLS"));
    ASSERT_EQ(IDOK, result);
    EXPECT_EQ(std::wstring(100, L'n'), m_dialog.m_name);
    EXPECT_EQ(L"Zeta tools", m_dialog.m_group);
    const WORD expectedHotKey = MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT);
    EXPECT_EQ(expectedHotKey, m_dialog.m_hotKey);
    auto* item = dynamic_cast<CApplicationItem*>(m_dialog.m_item.get());
    ASSERT_NE(nullptr, item) << "no application was built";
    EXPECT_EQ(m_tools, item->m_category);
    EXPECT_EQ(std::wstring(100, L'n'), item->m_name);
    EXPECT_EQ(path, item->GetPath());
    EXPECT_EQ(L" -x ", item->GetArguments());
    EXPECT_EQ(L"C:\\work", item->GetStartIn());
    EXPECT_EQ(expectedHotKey, item->GetHotKey());
    EXPECT_TRUE(m_tools->m_items.empty()) << "the editor must not add the entry itself";
}

namespace
{
// Closes the first message box over the editor from a thread timer, which the box's
// modal loop dispatches, and keeps its text; sentinels until then.
HWND s_editor = nullptr;
std::wstring s_refusal = L"sentinel";

BOOL CALLBACK CloseBoxOverEditor(HWND window, LPARAM)
{
    wchar_t className[32] = {};
    GetClassNameW(window, className, ARRAYSIZE(className));
    if (window == s_editor || lstrcmpW(className, L"#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    s_refusal = ItemText(window, 0xFFFF); // the message box's text
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    s_editor = nullptr;
    return FALSE;
}

void CALLBACK OnRefusalTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (s_editor)
        EnumThreadWindows(GetCurrentThreadId(), CloseBoxOverEditor, 0);
}
} // namespace

// A backslash would split the entry's key in the store: OK says so, and the dialog stays
// open on the name until it is one that can be stored.
TEST_F(DialogsEditItem, OkRefusesANameWithABackslashAndKeepsTheDialogOpen)
{
    const std::wstring path = ProgramPath();
    const int result = Run(
        ListKind::Applications,
        [&](HWND dialog, CProgramLoop&)
        {
            SetDlgItemTextW(dialog, IDC_NAME_EDIT, L"x\\y");
            SetDlgItemTextW(dialog, IDC_PATH_EDIT, path.c_str());
            s_editor = dialog;
            const UINT_PTR timer = SetTimer(nullptr, 0, 20, OnRefusalTimer);
            SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
            KillTimer(nullptr, timer);
            EXPECT_EQ(nullptr, s_editor) << "no refusal was shown";
            EXPECT_EQ(LoadResString(IDS_NAME_HAS_BACKSLASH), s_refusal);
            EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog closed on a refused name";
            EXPECT_EQ(GetDlgItem(dialog, IDC_NAME_EDIT), GetFocus());
            EXPECT_EQ(nullptr, m_dialog.m_item);
            SetDlgItemTextW(dialog, IDC_NAME_EDIT, L"x y");
            SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
        },
        std::nullopt, std::wstring(L"Zeta tools"));
    ASSERT_EQ(IDOK, result);
    EXPECT_EQ(L"x y", m_dialog.m_name);
}

TEST_F(DialogsEditItem, AnEmptiedHotKeyFieldGivesNoHotKey)
{
    const std::wstring path = ProgramPath();
    const int result = Run(
        ListKind::Applications,
        [&](HWND dialog, CProgramLoop& loop)
        {
            EXPECT_EQ(L"Edit application", WindowText(dialog));
            EXPECT_EQ(L"Ctrl+ P", ItemText(dialog, IDC_HOTKEY_EDIT));
            FocusHotKey(dialog);
            Type(loop, Chord({VK_CONTROL, 'J'}));
            EXPECT_EQ(L"Ctrl+ J", ItemText(dialog, IDC_HOTKEY_EDIT));
            // A modifier alone changes nothing; Backspace alone clears the field.
            Type(loop, Chord({VK_SHIFT}));
            EXPECT_EQ(L"Ctrl+ J", ItemText(dialog, IDC_HOTKEY_EDIT));
            Type(loop, Chord({VK_BACK}));
            EXPECT_EQ(L"", ItemText(dialog, IDC_HOTKEY_EDIT));
            SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
        },
        std::wstring(L"Tool"), std::wstring(L"Zeta tools"), path, std::wstring(), std::wstring(),
        static_cast<WORD>(MAKEWORD('P', HOTKEYF_CONTROL)));
    ASSERT_EQ(IDOK, result);
    EXPECT_EQ(0, m_dialog.m_hotKey);
    ASSERT_NE(nullptr, m_dialog.m_item);
    EXPECT_EQ(0, m_dialog.m_item->GetHotKey());
}

// Stored as typed, a relative path named another file, or none, once the program started
// from another folder.
TEST_F(DialogsEditItem, APathRelativeToTheCurrentFolderIsStoredWhole)
{
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"pm relative";
    CreateDirectoryW(folder.c_str(), nullptr);
    CScratchFile tool(L"pm relative\\tool.exe");
    wchar_t previous[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(temp)) << "error " << GetLastError();
    std::optional<test_support::CMessageBoxCloser> closer;
    const int result = Run(
        ListKind::Applications,
        [&](HWND dialog, CProgramLoop&)
        {
            closer.emplace();
            SetDlgItemTextW(dialog, IDC_NAME_EDIT, L"Tool");
            SetDlgItemTextW(dialog, IDC_PATH_EDIT, L"pm relative\\missing.exe");
            ASSERT_TRUE(OkEnabled(dialog)) << "a relative path is looked for at OK";
            SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
            EXPECT_TRUE(IsWindow(dialog)) << "a path that names nothing must keep the editor";
            EXPECT_EQ(1u, closer->m_texts.size());
            SetDlgItemTextW(dialog, IDC_PATH_EDIT, L"pm relative\\tool.exe");
            SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
        },
        std::nullopt, std::wstring(L"Zeta tools"));
    SetCurrentDirectoryW(previous);
    RemoveDirectoryW(folder.c_str());
    ASSERT_EQ(IDOK, result);
    ASSERT_EQ(1u, closer->m_texts.size());
    EXPECT_EQ(L"The path names no file or folder. Type a full path, or the name of a program "
              L"the system can find.",
              closer->m_texts[0]);
    EXPECT_EQ(tool.m_path, m_dialog.m_path);
    ASSERT_NE(nullptr, m_dialog.m_item);
    EXPECT_EQ(tool.m_path, m_dialog.m_item->GetPath());
    closer.reset();

    // A program named alone is found as the system finds programs.
    Run(
        ListKind::Applications,
        [&](HWND dialog, CProgramLoop&)
        {
            SetDlgItemTextW(dialog, IDC_NAME_EDIT, L"Notepad");
            SetDlgItemTextW(dialog, IDC_PATH_EDIT, L"notepad.exe");
            SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
        },
        std::nullopt, std::wstring(L"Zeta tools"));
    wchar_t system[MAX_PATH] = L"";
    GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(ToLower(std::wstring(system) + L"\\notepad.exe"), ToLower(m_dialog.m_path));
}

TEST_F(DialogsEditItem, RefusedHotKeyKeepsTheEditorOpenOnTheUnfoldedField)
{
    const WORD ctrlP = MAKEWORD('P', HOTKEYF_CONTROL);
    std::vector<WORD> asked;
    bool refuse = true;
    m_dialog.m_refuseHotKey = [&](HWND dialog, WORD hotKey)
    {
        EXPECT_EQ(GetActiveWindow(), dialog) << "the message belongs to the editor";
        asked.push_back(hotKey);
        return refuse;
    };
    const int result = Run(
        ListKind::Applications,
        [&](HWND dialog, CProgramLoop&)
        {
            ASSERT_FALSE(Shown(dialog, IDC_HOTKEY_EDIT)) << "the editor starts folded";
            SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
            EXPECT_TRUE(IsWindowVisible(dialog)) << "a refused OK must not end the editor";
            EXPECT_EQ(nullptr, m_dialog.m_item);
            EXPECT_TRUE(Shown(dialog, IDC_HOTKEY_EDIT));
            EXPECT_EQ(GetDlgItem(dialog, IDC_HOTKEY_EDIT), GetFocus());
            EXPECT_EQ(L"Ctrl+ P", ItemText(dialog, IDC_HOTKEY_EDIT));
            refuse = false;
            SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
        },
        std::wstring(L"Tool"), std::wstring(L"Zeta tools"), ProgramPath(), std::wstring(),
        std::wstring(), ctrlP);
    ASSERT_EQ(IDOK, result);
    EXPECT_EQ((std::vector<WORD>{ctrlP, ctrlP}), asked);
    ASSERT_NE(nullptr, m_dialog.m_item);
    EXPECT_EQ(ctrlP, m_dialog.m_item->GetHotKey());
}

TEST_F(DialogsEditItem, ALetterInTheHotKeyFieldIsCtrlPlusTheLetter)
{
    Run(ListKind::Applications,
        [&](HWND dialog, CProgramLoop& loop)
        {
            FocusHotKey(dialog);
            Type(loop, Chord({'Q'}));
            EXPECT_EQ(L"Ctrl+ Q", ItemText(dialog, IDC_HOTKEY_EDIT));
            Type(loop, Chord({VK_TAB}));
            EXPECT_NE(GetDlgItem(dialog, IDC_HOTKEY_EDIT), GetFocus()) << "Tab must leave";
            SendDlgItemMessageW(dialog, IDCANCEL, BM_CLICK, 0, 0);
        });
}

TEST_F(DialogsEditItem, AdvancedLinkFoldsAndIsRememberedForTheRun)
{
    RECT collapsed = {};
    Run(ListKind::Applications,
        [&](HWND dialog, CProgramLoop&)
        {
            EXPECT_FALSE(Shown(dialog, IDC_ARGUMENTS_EDIT)) << "starts collapsed";
            EXPECT_FALSE(Shown(dialog, IDC_HOTKEY_EDIT));
            GetClientRect(dialog, &collapsed);
            ClickLink(dialog);
            EXPECT_TRUE(Shown(dialog, IDC_ARGUMENTS_EDIT));
            EXPECT_TRUE(Shown(dialog, IDC_START_IN_EDIT));
            EXPECT_TRUE(Shown(dialog, IDC_HOTKEY_EDIT));
            RECT expanded = {};
            GetClientRect(dialog, &expanded);
            EXPECT_EQ(collapsed.bottom + 140, expanded.bottom);
            ClickLink(dialog);
            RECT again = {};
            GetClientRect(dialog, &again);
            EXPECT_EQ(collapsed.bottom, again.bottom);
            ClickLink(dialog);
            SendDlgItemMessageW(dialog, IDCANCEL, BM_CLICK, 0, 0);
        });
    EXPECT_TRUE(m_mainWnd->m_itemEditorAdvanced);
    CEditItemDialog next;
    CModalDriver driver(
        [](HWND dialog)
        {
            EXPECT_TRUE(Shown(dialog, IDC_ARGUMENTS_EDIT)) << "opens as last left";
            SendDlgItemMessageW(dialog, IDCANCEL, BM_CLICK, 0, 0);
        });
    EXPECT_EQ(IDCANCEL, next.DoModal(ListKind::Shortcuts, m_mainWnd->GetHwnd()));
    EXPECT_TRUE(driver.m_ran);
}

TEST_F(DialogsEditItem, FolderShowsNoAdvancedPartAndBuildsAFolder)
{
    wchar_t folder[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, folder);
    const int result = Run(
        ListKind::Folders,
        [&](HWND dialog, CProgramLoop&)
        {
            EXPECT_FALSE(Shown(dialog, IDC_ADVANCED_LINK));
            EXPECT_FALSE(Shown(dialog, IDC_ARGUMENTS_EDIT));
            EXPECT_FALSE(Shown(dialog, IDC_HOTKEY_EDIT));
            EXPECT_EQ(ClientRectOf(dialog, IDC_PATH_EDIT).bottom + 10,
                      ClientRectOf(dialog, IDOK).top);
            EXPECT_EQ(ClientRectOf(dialog, IDOK).top, ClientRectOf(dialog, IDCANCEL).top);
            SetDlgItemTextW(dialog, IDC_NAME_EDIT, L"Temp");
            SetDlgItemTextW(dialog, IDC_PATH_EDIT, folder);
            EXPECT_TRUE(OkEnabled(dialog)) << "a folder path";
            SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
        },
        std::nullopt, std::wstring(L"Zeta places"));
    ASSERT_EQ(IDOK, result);
    auto* item = dynamic_cast<CFolderItem*>(m_dialog.m_item.get());
    ASSERT_NE(nullptr, item) << "no folder was built";
    EXPECT_EQ(std::wstring(folder), item->GetPath());
    EXPECT_FALSE(m_mainWnd->m_itemEditorAdvanced) << "folders leave the flag alone";
}
} // namespace
