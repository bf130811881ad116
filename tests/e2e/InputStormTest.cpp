// A storm of random input over the main window: pointer moves, clicks, double clicks, right
// clicks, drags, wheel turns, typed keys and page switches, with every menu and dialog it
// opens dismissed at once. The program has to survive it, keep answering, give back the
// windows and GDI objects it took on the way, and still end cleanly. A second storm keeps
// menus and dialogs open while entry hotkeys start programs and scans run.

#include <gtest/gtest.h>

#include "tests/support/Files.h"
#include "tests/support/Harness.h"
#include "tests/support/ProgramTest.h"
#include "tests/support/CrossProcessInput.h"
#include "tests/support/Registry.h"
#include "tests/support/Screen.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <deque>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace e2e;
using namespace test_support;

namespace
{
constexpr DWORD StormMs = 60000;
constexpr DWORD LongStormMs = 300000;
constexpr DWORD WarmUpMs = 5000;
constexpr unsigned DefaultSeed = 20261207;
constexpr DWORD Slack = 10;
constexpr size_t RememberedActions = 25;

// Keys a user may hit anywhere. Enter and Space press the focused button of whatever box
// is up, and Y is the Yes of the delete prompts, so the storm keeps them out.
const WORD StormKeys[] = {'A',   'B',     'C',     'D',    'E',       'F',      'G',     'H',
                          'I',   'J',     'K',     'L',    'M',       'N',      'O',     'P',
                          'Q',   'R',     'S',     'T',    'U',       'V',      'W',     'X',
                          'Z',   '0',     '5',     '9',    VK_BACK,   VK_TAB,   VK_LEFT, VK_RIGHT,
                          VK_UP, VK_DOWN, VK_HOME, VK_END, VK_DELETE, VK_ESCAPE};

// The mnemonics of the rows', headers' and panes' menus: Add, Edit, Delete, Launch,
// Close, Copy, Properties, Open.
const WORD MenuLetters[] = {'A', 'E', 'D', 'L', 'C', 'P', 'O'};

// Ctrl+Alt and a digit start the recorder from an application ('1' to '3') or a shortcut
// ('4' to '6') entry; '7' is held by no entry.
constexpr WORD HotKeyFlags = (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8;
const WORD HotKeyDigits[] = {'1', '2', '3', '4', '5', '6', '7'};
const wchar_t RecorderClass[] = L"LaunchRecorderWindow";

// What the script sends to whatever holds the keyboard: mnemonics of the row and header
// menus (Launch, Edit, Close, Add, Open), dialog answers, and letters for names.
const WORD ScriptKeys[] = {'L', 'E', 'C', 'A', 'O', VK_RETURN, VK_ESCAPE, VK_TAB, 'X', 'Q'};

bool IsOfProcess(HWND window, DWORD pid)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner == pid;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

struct CWindowCount
{
    DWORD pid;
    int windows;
    int rows;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM param)
{
    auto* count = reinterpret_cast<CWindowCount*>(param);
    ++count->windows;
    count->rows += ClassOf(window) == L"ListItem" ? 1 : 0;
    return TRUE;
}

BOOL CALLBACK CountTopLevelWindow(HWND window, LPARAM param)
{
    auto* count = reinterpret_cast<CWindowCount*>(param);
    if (!IsOfProcess(window, count->pid))
        return TRUE;
    CountWindow(window, param);
    EnumChildWindows(window, CountWindow, param);
    return TRUE;
}

// What the program holds; compared before and after the storm.
struct CResources
{
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    DWORD kernelHandles = 0;
    int windows = 0;
    int rows = 0; // entry and header rows: the storm may legitimately delete some
};

CResources ReadResources(HANDLE process, DWORD pid)
{
    CResources resources;
    resources.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    resources.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    GetProcessHandleCount(process, &resources.kernelHandles);
    CWindowCount count = {pid, 0, 0};
    EnumWindows(CountTopLevelWindow, reinterpret_cast<LPARAM>(&count));
    resources.windows = count.windows;
    resources.rows = count.rows;
    return resources;
}

bool WithinSlack(const CResources& now, const CResources& before)
{
    return now.gdiObjects <= before.gdiObjects + Slack &&
           now.userObjects <= before.userObjects + Slack &&
           now.kernelHandles <= before.kernelHandles + Slack &&
           now.windows <= before.windows + static_cast<int>(Slack);
}

std::string Describe(const CResources& resources)
{
    return "GDI " + std::to_string(resources.gdiObjects) + ", USER " +
           std::to_string(resources.userObjects) + ", handles " +
           std::to_string(resources.kernelHandles) + ", windows " +
           std::to_string(resources.windows) + ", rows " + std::to_string(resources.rows);
}

unsigned StormSeed()
{
    const char* configured = std::getenv("PATHMOOR_TORTURE_SEED");
    return configured != nullptr ? static_cast<unsigned>(std::strtoul(configured, nullptr, 10))
                                 : DefaultSeed;
}

DWORD StormDuration()
{
    const char* longRun = std::getenv("PATHMOOR_TORTURE_LONG");
    return longRun != nullptr && std::string(longRun) == "1" ? LongStormMs : StormMs;
}

class InputStormTest : public CProgramTest
{
protected:
    InputStormTest() : CProgramTest(EProgramKey::Returning) {}

    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(CProgramTest::SetUp());
        // Targets that do not exist: a click on them only beeps, so the storm starts nothing.
        m_missing = TempFolder() + L"pathmoor-storm-missing";
        ASSERT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(m_missing.c_str()))
            << Utf8(m_missing) << " exists";
        ASSERT_TRUE(WriteDword(ProgramRoot, L"HideAfterLaunch", 0));
        WriteCatalogue();
    }

    void TearDown() override
    {
        if (m_program.IsRunning() && m_window != nullptr && Answers())
            DismissEverything();
        CProgramTest::TearDown();
        CloseAllRecorders();
        if (m_process != nullptr)
            CloseHandle(m_process);
    }

    void WriteCatalogue()
    {
        const wchar_t* lists[] = {L"Applications", L"Shortcuts", L"Folders"};
        const wchar_t* categories[] = {L"Storm one", L"storm two", L"Storm three"};
        for (const wchar_t* list : lists)
            for (int category = 0; category < 3; ++category)
                for (int entry = 0; entry <= category; ++entry)
                    WriteEntry(list, categories[category], entry);
    }

    void WriteEntry(const std::wstring& list, const std::wstring& category, int entry)
    {
        const std::wstring name = list.substr(0, 4) + L" entry " + std::to_wstring(entry);
        const std::wstring key =
            std::wstring(ProgramRoot) + L"\\" + list + L"\\Category\\" + category + L"\\" + name;
        const std::wstring target =
            m_missing + L"\\" + category + L" " + name + (list == L"Folders" ? L"" : L".exe");
        ASSERT_TRUE(WriteString(key, L"ItemPath", target)) << Utf8(key);
    }

    void Start()
    {
        ASSERT_TRUE(m_program.Start());
        m_window = m_program.WaitForMainWindow();
        ASSERT_NE(nullptr, m_window) << "no main window appeared";
        ASSERT_TRUE(WaitFor([&] { return TrayIconExists(m_window, 1); })) << "no tray icon";
        m_process = OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, m_program.Pid());
        ASSERT_NE(nullptr, m_process);
        m_tabs = FindWindowExW(m_window, nullptr, L"TabControl", nullptr);
        ASSERT_NE(nullptr, m_tabs);
        m_pane = FindWindowExW(m_window, nullptr, L"FoldersPane", nullptr);
    }

    bool Answers() const
    {
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(m_window, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                                   DefaultTimeoutMs, &result) != 0;
    }

    // The counts once nothing is open any more and they no longer move.
    CResources SettledResources()
    {
        DismissEverything();
        CResources last = ReadResources(m_process, m_program.Pid());
        int unchanged = 0;
        WaitFor(
            [&]
            {
                const CResources now = ReadResources(m_process, m_program.Pid());
                unchanged = Describe(now) == Describe(last) ? unchanged + 1 : 0;
                last = now;
                return unchanged >= 25;
            });
        return last;
    }

    // Menus go with Esc; dialogs with No where they ask, else Cancel, and WM_CLOSE when
    // neither ends them. Returns false if something stayed open.
    bool DismissEverything()
    {
        for (int round = 0; round < 20; ++round)
        {
            if (PopupMenuShown())
            {
                // The key goes to the foreground window, which a started program may hold.
                KeepInFront();
                PressStormKey(VK_ESCAPE);
                WaitFor([] { return !PopupMenuShown(); }, 500);
                ++m_menusDismissed;
                continue;
            }
            const HWND dialog =
                FindTopLevel({m_program.Pid(), DialogClass, nullptr, nullptr, true, true});
            if (dialog == nullptr)
                return KeepInFront();
            DismissDialog(dialog);
        }
        return false;
    }

    void DismissDialog(HWND dialog)
    {
        ++m_dialogsDismissed;
        const int button = GetDlgItem(dialog, IDNO) != nullptr ? IDNO : IDCANCEL;
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
        auto gone = [&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); };
        if (!WaitFor(gone, 3000))
        {
            PostMessageW(dialog, WM_CLOSE, 0, 0);
            WaitFor(gone, 3000);
        }
    }

    // Input goes to the foreground window; keep that the program's.
    bool KeepInFront()
    {
        const HWND front = GetForegroundWindow();
        if (front == m_window || (front != nullptr && IsOfProcess(front, m_program.Pid())))
            return true;
        SetForegroundWindow(m_window);
        return WaitFor([&] { return GetForegroundWindow() == m_window; }, 3000);
    }

    // Within the window as last seen: one that an Escape has just sent to the tray has no
    // client area, and a point off the screen would land on the tray's corner.
    POINT RandomPoint()
    {
        RECT client = {};
        GetClientRect(m_window, &client);
        MapWindowPoints(m_window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        if (IsIconic(m_window) || client.right - client.left < 4 || client.bottom - client.top < 4)
            client = m_lastClient;
        m_lastClient = client;
        std::uniform_int_distribution<int> x(client.left + 1, client.right - 2);
        std::uniform_int_distribution<int> y(client.top + 1, client.bottom - 2);
        return {x(m_random), y(m_random)};
    }

    void Remember(const std::string& action)
    {
        m_lastActions.push_back(action);
        if (m_lastActions.size() > RememberedActions)
            m_lastActions.pop_front();
    }

    std::string DescribeProgramWindows() const
    {
        std::string text;
        for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
        {
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid != m_program.Pid() || !IsWindowVisible(window))
                continue;
            wchar_t className[64] = {};
            GetClassNameW(window, className, ARRAYSIZE(className));
            RECT rect = {};
            GetWindowRect(window, &rect);
            text += "\n  " + Utf8(std::wstring(className)) + " at " + std::to_string(rect.left) +
                    "," + std::to_string(rect.top) + "-" + std::to_string(rect.right) + "," +
                    std::to_string(rect.bottom);
        }
        return text.empty() ? " none shown" : text;
    }

    std::string LastActions() const
    {
        std::string text;
        for (const std::string& action : m_lastActions)
            text += "\n  " + action;
        return text;
    }

    static std::string At(POINT point)
    {
        return std::to_string(point.x) + "," + std::to_string(point.y);
    }

    void ClickAt(POINT point, bool left, int clicks)
    {
        Remember(std::string(clicks == 2 ? "double " : "") + (left ? "click " : "right click ") +
                 At(point));
        MoveMouse(point.x, point.y);
        for (int i = 0; i < clicks; ++i)
        {
            MouseButton(left, true);
            MouseButton(left, false);
        }
    }

    void DragAcross()
    {
        const POINT from = RandomPoint();
        const POINT to = RandomPoint();
        Remember("drag " + At(from) + " to " + At(to));
        Drag(from, to, std::uniform_int_distribution<int>(2, 8)(m_random));
    }

    void TurnWheel()
    {
        const POINT point = RandomPoint();
        const int notches = std::uniform_int_distribution<int>(-3, 3)(m_random);
        Remember("wheel " + std::to_string(notches) + " at " + At(point));
        MoveMouse(point.x, point.y);
        Wheel(notches * WHEEL_DELTA);
    }

    void TypeKeys()
    {
        const int count = std::uniform_int_distribution<int>(1, 6)(m_random);
        std::uniform_int_distribution<size_t> pick(0, sizeof(StormKeys) / sizeof(StormKeys[0]) - 1);
        std::string typed = "keys";
        for (int i = 0; i < count; ++i)
        {
            const WORD key = StormKeys[pick(m_random)];
            typed += " " + std::to_string(key);
            PressStormKey(key);
        }
        Remember(typed);
    }

    // A menu is mostly gone before a key reaches it; this one takes a command from it.
    void PickFromMenu()
    {
        const POINT point = RandomPoint();
        const WORD letter = MenuLetters[std::uniform_int_distribution<size_t>(
            0, sizeof(MenuLetters) / sizeof(MenuLetters[0]) - 1)(m_random)];
        Remember("menu at " + At(point) + ", letter " + std::string(1, static_cast<char>(letter)));
        MoveMouse(point.x, point.y);
        MouseButton(false, true);
        MouseButton(false, false);
        if (WaitFor(PopupMenuShown, 1000))
            PressKey(letter);
    }

    void SwitchPage()
    {
        const bool second = std::uniform_int_distribution<int>(0, 1)(m_random) == 1;
        const POINT tab = TabPoint(m_tabs, second ? 1 : 0);
        Remember(std::string("page ") + (second ? "shortcuts" : "applications"));
        MoveMouse(tab.x, tab.y);
        MouseButton(true, true);
        MouseButton(true, false);
    }

    void RandomAction()
    {
        const int choice = std::uniform_int_distribution<int>(0, 99)(m_random);
        if (choice < 25)
        {
            const POINT point = RandomPoint();
            Remember("move " + At(point));
            MoveMouse(point.x, point.y);
        }
        else if (choice < 45)
            ClickAt(RandomPoint(), true, 1);
        else if (choice < 52)
            ClickAt(RandomPoint(), true, 2);
        else if (choice < 64)
            ClickAt(RandomPoint(), false, 1);
        else if (choice < 72)
            DragAcross();
        else if (choice < 80)
            TurnWheel();
        else if (choice < 88)
            TypeKeys();
        else if (choice < 94)
            PickFromMenu();
        else
            SwitchPage();
    }

    // Escape in the search box, which a dismissed menu may leave the key to, sends the window
    // to the tray once the search is empty; the tray icon brings it back. Only shortly after
    // an Escape: the settling after each action does not wait for typed keys.
    void PressStormKey(WORD key)
    {
        if (key == VK_ESCAPE)
            m_lastEscapeAction = m_actions;
        PressKey(key);
    }

    void RestoreIfEscapeHid()
    {
        constexpr int actionsAnEscapeMayLag = 5;
        if (IsWindowVisible(m_window) || m_lastEscapeAction < 0 ||
            m_actions - m_lastEscapeAction > actionsAnEscapeMayLag)
            return;
        ASSERT_TRUE(TrayIconExists(m_window, 1)) << "hidden without a tray icon";
        Remember("restore from the tray");
        // An open menu would take the click on the icon to close itself.
        if (PopupMenuShown())
        {
            PressKey(VK_ESCAPE);
            WaitFor([] { return !PopupMenuShown(); }, 500);
        }
        const POINT icon = TrayIconPoint();
        Click(icon.x, icon.y);
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(m_window) != FALSE; }))
            << "the tray icon did not bring the window back after:" << LastActions()
            << "\nthe program's windows:" << DescribeProgramWindows();
        ++m_trayRestores;
    }

    // Random input until the time is up; stops early at the first sign of trouble.
    void Storm(DWORD durationMs)
    {
        const ULONGLONG end = GetTickCount64() + durationMs;
        while (GetTickCount64() < end)
        {
            ASSERT_TRUE(m_program.IsRunning()) << "the program ended after:" << LastActions();
            ASSERT_NO_FATAL_FAILURE(RestoreIfEscapeHid());
            ASSERT_TRUE(IsWindowVisible(m_window))
                << "the window went away after:" << LastActions();
            ASSERT_TRUE(DismissEverything())
                << "could not close what opened after:" << LastActions();
            RandomAction();
            ++m_actions;
            Settle(m_window);
        }
    }

    // Entries that start the recorder, each with a hotkey, beside the storm's own.
    void WriteLaunchingEntries()
    {
        const std::wstring recorder = ExecutableDirectory() + L"launch_recorder.exe";
        for (int i = 0; i < 6; ++i)
        {
            const std::wstring list = i < 3 ? ApplicationsKey : ShortcutsKey;
            const std::wstring key =
                list + L"\\Hot " + std::to_wstring(i % 2) + L"\\Recorder " + std::to_wstring(i);
            ASSERT_TRUE(WriteString(key, L"ItemPath", recorder)) << Utf8(key);
            ASSERT_TRUE(WriteDword(key, L"HotKey", HotKeyFlags | HotKeyDigits[i])) << Utf8(key);
        }
    }

    template <typename T> const T& Pick(const T* items, size_t count)
    {
        return items[std::uniform_int_distribution<size_t>(0, count - 1)(m_random)];
    }

    void PressEntryHotKey()
    {
        const WORD digit = Pick(HotKeyDigits, sizeof(HotKeyDigits) / sizeof(HotKeyDigits[0]));
        Remember("hotkey Ctrl+Alt+" + std::string(1, static_cast<char>(digit)));
        PressChord({VK_CONTROL, VK_MENU}, digit);
    }

    // Held until the program it starts shows, so that the key repeats meanwhile.
    void HoldEntryHotKey()
    {
        const WORD digit = Pick(HotKeyDigits, sizeof(HotKeyDigits) / sizeof(HotKeyDigits[0]));
        Remember("hotkey Ctrl+Alt+" + std::string(1, static_cast<char>(digit)) + " held");
        const size_t before = Recorders().size();
        HoldKey(VK_CONTROL);
        HoldKey(VK_MENU);
        HoldKey(digit);
        WaitFor([&] { return Recorders().size() > before; }, 1500);
        ReleaseKey(digit);
        ReleaseKey(VK_MENU);
        ReleaseKey(VK_CONTROL);
    }

    // The scan the timer runs every five seconds, at once.
    void ScanNow()
    {
        Remember("scan");
        PostMessageW(m_window, WM_TIMER, 0, 0);
    }

    // A right click on a header or row of the visible page or of the folders pane, and
    // mostly a command from the menu it opens.
    void OpenListMenu()
    {
        const HWND page = VisiblePage();
        std::vector<HWND> windows = ListWindowsInOrder(page);
        const std::vector<HWND> pane = ListWindowsInOrder(m_pane);
        windows.insert(windows.end(), pane.begin(), pane.end());
        if (windows.empty())
            return;
        const RECT rect = WindowRect(Pick(windows.data(), windows.size()));
        const POINT point = {(rect.left + rect.right) / 2 + 20, (rect.top + rect.bottom) / 2};
        const WORD letter = Pick(ScriptKeys, 5);
        Remember("menu at " + At(point) + ", letter " + std::string(1, static_cast<char>(letter)));
        MoveMouse(point.x, point.y);
        MouseButton(false, true);
        MouseButton(false, false);
        if (std::uniform_int_distribution<int>(0, 4)(m_random) > 0 && WaitFor(PopupMenuShown, 1000))
            PressKey(letter);
    }

    // Keys for whatever has the keyboard: an open menu, the editor, a rename, a message.
    void PressScriptKeys()
    {
        const int count = std::uniform_int_distribution<int>(1, 3)(m_random);
        std::string typed = "keys";
        for (int i = 0; i < count; ++i)
        {
            const WORD key = Pick(ScriptKeys, sizeof(ScriptKeys) / sizeof(ScriptKeys[0]));
            typed += " " + std::to_string(key);
            PressKey(key);
        }
        Remember(typed);
    }

    std::vector<HWND> Recorders() const
    {
        std::vector<HWND> recorders;
        for (HWND recorder = FindWindowExW(nullptr, nullptr, RecorderClass, nullptr); recorder;
             recorder = FindWindowExW(nullptr, recorder, RecorderClass, nullptr))
            recorders.push_back(recorder);
        return recorders;
    }

    // A program a launch started ends, as its user closes it; it takes a while to go.
    void CloseARecorder()
    {
        for (const HWND recorder : Recorders())
        {
            if (!m_closing.insert(recorder).second)
                continue;
            Remember("recorder closed");
            PostMessageW(recorder, WM_CLOSE, 0, 0);
            return;
        }
    }

    void CloseAllRecorders()
    {
        for (int round = 0; round < 50; ++round)
        {
            const HWND recorder = FindWindowW(RecorderClass, nullptr);
            if (recorder == nullptr)
                return;
            PostMessageW(recorder, WM_CLOSE, 0, 0);
            WaitFor([recorder] { return !IsWindow(recorder); }, 5000);
        }
    }

    HWND VisiblePage() const
    {
        const HWND applications = FindWindowExW(m_window, nullptr, L"Page", L"ApplicationsPage");
        return IsWindowVisible(applications)
                   ? applications
                   : FindWindowExW(m_window, nullptr, L"Page", L"ShortcutsPage");
    }

    void ScriptedAction()
    {
        const int choice = std::uniform_int_distribution<int>(0, 99)(m_random);
        if (choice < 15)
            PressEntryHotKey();
        else if (choice < 18)
            HoldEntryHotKey();
        else if (choice < 30)
            ScanNow();
        else if (choice < 58)
            OpenListMenu();
        else if (choice < 78)
            PressScriptKeys();
        else if (choice < 88)
            CloseARecorder();
        else if (choice < 93)
            SwitchPage();
        else
        {
            Remember("everything dismissed");
            DismissEverything();
        }
    }

    // Menus, the editor, renames and messages stay open across the next actions, so that
    // hotkey launches and scans arrive inside their loops; only a pile of them is cleared.
    void Script(DWORD durationMs)
    {
        const ULONGLONG end = GetTickCount64() + durationMs;
        while (GetTickCount64() < end)
        {
            ASSERT_TRUE(m_program.IsRunning()) << "the program ended after:" << LastActions();
            ASSERT_TRUE(IsWindow(m_window)) << "the window went away after:" << LastActions();
            if (CountOpenDialogs() > 2 && !DismissEverything())
                FAIL() << "could not close what opened after:" << LastActions();
            if (Recorders().size() > 4)
                CloseARecorder();
            ScriptedAction();
            ++m_actions;
            Settle(m_window);
        }
    }

    int CountOpenDialogs() const
    {
        CWindowCount count = {m_program.Pid(), 0, 0};
        for (HWND dialog = FindWindowExW(nullptr, nullptr, DialogClass, nullptr); dialog;
             dialog = FindWindowExW(nullptr, dialog, DialogClass, nullptr))
            if (IsOfProcess(dialog, count.pid) && IsWindowVisible(dialog))
                ++count.windows;
        return count.windows;
    }

    HANDLE m_process = nullptr;
    HWND m_window = nullptr;
    HWND m_tabs = nullptr;
    HWND m_pane = nullptr;
    std::set<HWND> m_closing;
    std::wstring m_missing;
    std::mt19937 m_random{StormSeed()};
    RECT m_lastClient = {100, 100, 500, 400};
    std::deque<std::string> m_lastActions;
    int m_actions = 0;
    int m_menusDismissed = 0;
    int m_trayRestores = 0;
    int m_lastEscapeAction = -1;
    int m_dialogsDismissed = 0;
};
} // namespace

TEST_F(InputStormTest, SurvivesRandomInputAndGivesBackWhatItTook)
{
    SCOPED_TRACE("seed " + std::to_string(StormSeed()) + " (PATHMOOR_TORTURE_SEED repeats it)");
    Start();
    ASSERT_FALSE(HasFatalFailure());
    // Menus, dialogs, icons and fonts are made on first use and kept; a short storm first
    // makes them, so what the long one leaves behind is what it leaked.
    Storm(WarmUpMs);
    ASSERT_FALSE(HasFatalFailure());
    const CResources before = SettledResources();

    Storm(StormDuration());
    ASSERT_FALSE(HasFatalFailure());
    printf("%d actions; %d menus and %d dialogs dismissed, %d restores from the tray\n", m_actions,
           m_menusDismissed, m_dialogsDismissed, m_trayRestores);
    ASSERT_TRUE(m_program.IsRunning()) << "the program ended after:" << LastActions();
    ASSERT_TRUE(Answers()) << "the main window no longer answers after:" << LastActions();
    ASSERT_TRUE(DismissEverything()) << "could not close what opened after:" << LastActions();

    CResources after = ReadResources(m_process, m_program.Pid());
    EXPECT_TRUE(WaitFor(
        [&]
        {
            after = ReadResources(m_process, m_program.Pid());
            return WithinSlack(after, before);
        }))
        << "before the storm: " << Describe(before) << "\nafter it:          " << Describe(after)
        << "\nlast actions:" << LastActions();

    printf("before the storm: %s\nafter it: %s\n", Describe(before).c_str(),
           Describe(after).c_str());
    ASSERT_TRUE(m_program.Close()) << "the program did not end on WM_CLOSE";
    EXPECT_EQ(0u, m_program.ExitCode());
}

// Timer scans, entry hotkeys that start and programs that end, row and header menus, the
// editor and renames, in a seeded order, with menus and dialogs left open so that the
// launches and scans land inside their loops. The program has to live through all of it
// and end cleanly.
TEST_F(InputStormTest, SurvivesHotKeysAndScansInsideMenusAndDialogs)
{
    SCOPED_TRACE("seed " + std::to_string(StormSeed()) + " (PATHMOOR_TORTURE_SEED repeats it)");
    WriteLaunchingEntries();
    ASSERT_FALSE(HasFatalFailure());
    // Clear of the corner where the started programs show their windows.
    const RECT place = {400, 230, 1010, 660};
    ASSERT_TRUE(WriteBinary(ProgramRoot, L"WindowPos", &place, sizeof place));
    Start();
    ASSERT_FALSE(HasFatalFailure());
    Script(StormDuration());
    ASSERT_FALSE(HasFatalFailure());
    printf("%d actions; %d menus and %d dialogs dismissed\n", m_actions, m_menusDismissed,
           m_dialogsDismissed);
    ASSERT_TRUE(m_program.IsRunning()) << "the program ended after:" << LastActions();
    ASSERT_TRUE(DismissEverything()) << "could not close what opened after:" << LastActions();
    ASSERT_TRUE(Answers()) << "the main window no longer answers after:" << LastActions();
    ASSERT_TRUE(m_program.Close()) << "the program did not end on WM_CLOSE";
    EXPECT_EQ(0u, m_program.ExitCode());
}
