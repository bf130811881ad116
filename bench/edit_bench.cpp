// The longest time the main window does not answer around one edit of each kind,
// with 2000 entries. The edit is made as a user makes it (a right click on the row or
// header, the menu, the dialog); from the key that confirms it until the registry
// holds the change, a probe thread sends WM_NULL to the window without pause and keeps
// the longest wait for an answer. The floor is the rows floor program making the same
// edit the same way (bench/floor/FloorEdits.cpp): its menu, dialog or prompt, the change
// written with bare registry calls on its window's thread, the rows laid out again.
// The bare calls alone are timed too, and the probe's own answer time with no edit.
// Each figure is the median of a few rounds, each in a program started afresh: how
// long a dialog takes to close under Wine varies by some milliseconds from one to the
// next.

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "bench/floor/BenchSupport.h"
#include "resources/resource.h"

namespace
{
constexpr int Entries = 2000;
constexpr DWORD TimeoutMs = 20000;
constexpr DWORD DialogWaitMs = 3000;
constexpr int MenuAttempts = 3;
constexpr double Goal = 2.0;
constexpr int Rounds = 3;
const wchar_t FloorPath[] = L"Software\\Quillbrook\\PathmoorBenchFloor\\";

DWORD SubkeyCount(const std::wstring& path)
{
    HKEY key = nullptr;
    DWORD count = 0;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
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

// Sends WM_NULL to the window one message after the other and keeps the longest wait.
class CAnswerProbe
{
public:
    explicit CAnswerProbe(HWND window) : m_thread([this, window] { Run(window); }) {}
    ~CAnswerProbe() { Stop(); }

    double Stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        return m_failed ? -1 : m_longest;
    }

private:
    void Run(HWND window)
    {
        while (!m_stop)
        {
            const LARGE_INTEGER start = bench::Now();
            DWORD_PTR result = 0;
            if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, TimeoutMs, &result))
                m_failed = true;
            m_longest = std::max(m_longest, bench::MillisecondsSince(start));
        }
    }

    std::atomic<bool> m_stop{false};
    bool m_failed = false;
    double m_longest = 0;
    std::thread m_thread;
};

// The row windows of the page, the top-left one (the first category's header) first
// and the one below it (that category's first entry) second.
std::vector<HWND> FirstHeaderAndEntry(HWND main, const wchar_t* rowClass)
{
    HWND header = nullptr;
    RECT best = {};
    for (HWND row : bench::VisibleDescendants(main))
    {
        wchar_t className[64] = {};
        GetClassNameW(row, className, ARRAYSIZE(className));
        RECT rect = {};
        GetWindowRect(row, &rect);
        if (lstrcmpW(className, rowClass) != 0)
            continue;
        if (!header || rect.left < best.left || (rect.left == best.left && rect.top < best.top))
        {
            header = row;
            best = rect;
        }
    }
    HWND entry = nullptr;
    for (HWND row : bench::VisibleDescendants(main))
    {
        RECT rect = {};
        GetWindowRect(row, &rect);
        if (row != header && rect.left == best.left && rect.top == best.bottom)
            entry = row;
    }
    return {header, entry};
}

POINT Centre(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

HWND FindProcessWindow(DWORD process, const wchar_t* className, DWORD timeoutMs = TimeoutMs)
{
    HWND found = nullptr;
    bench::WaitUntil(
        [&]
        {
            for (HWND window = FindWindowW(className, nullptr); window;
                 window = FindWindowExW(nullptr, window, className, nullptr))
            {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == process && IsWindowVisible(window))
                    return (found = window) != nullptr;
            }
            return false;
        },
        timeoutMs);
    return found;
}

// One edit: the row to right-click, the menu key, what to do in the dialog that opens,
// the key that confirms it, and when the store holds it.
struct Edit
{
    const char* name;
    bool onHeader;
    WORD menuKey;
    int nameField; // a dialog's name field to fill, or 0 for a message box
    const wchar_t* newName;
    WORD confirmKey;
    std::function<bool()> stored;
    std::function<void()> floor;
};

// Says which step failed, below the table.
double Unmeasured(const Edit& edit, const char* step)
{
    std::printf("%s: %s\n", edit.name, step);
    return -1;
}

double TimeEdit(const Edit& edit, const bench::ProgramUnderTest& program)
{
    bench::CStartedProgram started;
    if (!bench::StartAndPaint(started, program, Entries))
        return Unmeasured(edit, "no first paint");
    const DWORD process = GetProcessId(started.Process());
    const std::vector<HWND> rows = FirstHeaderAndEntry(started.MainWindow(), program.rowClass);
    const HWND target = edit.onHeader ? rows[0] : rows[1];
    if (!target)
        return Unmeasured(edit, "no row to edit");
    // Under Wine the first menu of a freshly started program sometimes misses its key:
    // the menu is closed and opened again.
    HWND dialog = nullptr;
    for (int attempt = 0; attempt < MenuAttempts && !dialog; ++attempt)
    {
        SetForegroundWindow(started.MainWindow());
        bench::RightClickAt(Centre(target));
        // Answered once the menu's own loop runs, which then takes the key.
        if (!FindProcessWindow(process, L"#32768") ||
            !bench::Settle(started.MainWindow(), TimeoutMs))
            return Unmeasured(edit, "no menu");
        bench::PressKey(edit.menuKey);
        dialog = FindProcessWindow(process, L"#32770", DialogWaitMs);
        if (!dialog)
        {
            bench::PressKey(VK_ESCAPE);
            bench::WaitUntil([&] { return !FindProcessWindow(process, L"#32768", 0); }, TimeoutMs);
        }
    }
    if (!dialog)
        return Unmeasured(edit, "no dialog");
    if (edit.nameField != 0)
        SendMessageW(GetDlgItem(dialog, edit.nameField), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(edit.newName));
    if (!bench::Settle(started.MainWindow(), TimeoutMs))
        return Unmeasured(edit, "no answer before the edit");
    CAnswerProbe probe(started.MainWindow());
    bench::PressKey(edit.confirmKey);
    const bool stored = bench::WaitUntil(edit.stored, TimeoutMs) &&
                        bench::WaitUntil([dialog] { return !IsWindow(dialog); }, TimeoutMs) &&
                        bench::Settle(started.MainWindow(), TimeoutMs);
    const double longest = probe.Stop();
    return stored ? longest : Unmeasured(edit, "the change was not stored");
}

// The probe's own longest wait on a window left alone for as long as an edit takes.
double TimeIdle(const bench::ProgramUnderTest& program)
{
    constexpr DWORD IdleMs = 100;
    bench::CStartedProgram started;
    if (!bench::StartAndPaint(started, program, Entries) ||
        !bench::Settle(started.MainWindow(), TimeoutMs))
        return -1;
    CAnswerProbe probe(started.MainWindow());
    Sleep(IdleMs);
    return probe.Stop();
}

// --- The bare calls alone: the same changes, timed on their own ---

std::wstring FloorCategory(int index)
{
    return FloorPath + bench::CategoryName(index) + L"\\";
}

void WriteFloorCategory(const std::wstring& path, int index)
{
    for (int entry = index * bench::EntriesPerCategory;
         entry < (index + 1) * bench::EntriesPerCategory; ++entry)
        bench::WriteBareEntryAt(path, bench::EntryName(entry));
}

// The change alone is timed; the floor's key holds the first category before.
double TimeFloor(const std::function<void()>& change)
{
    bench::DeleteTree(FloorPath);
    WriteFloorCategory(FloorCategory(0), 0);
    const LARGE_INTEGER start = bench::Now();
    change();
    const double spent = bench::MillisecondsSince(start);
    bench::DeleteTree(FloorPath);
    return spent;
}

double Rounded(const std::function<double()>& measure)
{
    std::vector<double> figures;
    for (int round = 0; round < Rounds; ++round)
        figures.push_back(measure());
    return bench::Median(figures);
}

std::vector<Edit> Edits()
{
    const std::wstring first = bench::ApplicationsPath() + bench::CategoryName(0) + L"\\";
    const DWORD categories = static_cast<DWORD>(bench::CategoryCount(Entries));
    const DWORD perCategory = bench::EntriesPerCategory;
    return {
        {"rename an entry", false, 'E', IDC_NAME_EDIT, L"Renamed entry", VK_RETURN,
         [=] { return KeyExists(first + L"Renamed entry") && SubkeyCount(first) == perCategory; },
         []
         {
             RegDeleteKeyW(HKEY_CURRENT_USER, (FloorCategory(0) + bench::EntryName(0)).c_str());
             bench::WriteBareEntryAt(FloorCategory(0), L"Renamed entry");
         }},
        {"delete an entry", false, 'D', 0, nullptr, 'Y',
         [=] { return SubkeyCount(first) == perCategory - 1; },
         []
         { RegDeleteKeyW(HKEY_CURRENT_USER, (FloorCategory(0) + bench::EntryName(0)).c_str()); }},
        {"rename a category", true, 'E', IDC_CATEGORY_NAME_EDIT, L"Renamed category", VK_RETURN,
         [=]
         {
             return SubkeyCount(bench::ApplicationsPath() + L"Renamed category") == perCategory &&
                    !KeyExists(first);
         },
         []
         {
             bench::DeleteTree(FloorCategory(0));
             WriteFloorCategory(std::wstring(FloorPath) + L"Renamed category\\", 0);
         }},
        {"delete a category", true, 'D', 0, nullptr, 'Y',
         [=] { return SubkeyCount(bench::ApplicationsPath()) == categories - 1; },
         [] { bench::DeleteTree(FloorCategory(0)); }},
    };
}
} // namespace

int main()
{
    bench::PrintTableHeader();
    const std::string entries = std::to_string(Entries) + " entries";
    bench::PrintTableRow("longest unanswered time, no edit (the probe alone), " + entries + " (ms)",
                         Rounded([] { return TimeIdle(bench::Pathmoor); }),
                         Rounded([] { return TimeIdle(bench::ReadingRowsFloor); }), 0);
    for (const Edit& edit : Edits())
    {
        const double pathmoor = Rounded([&] { return TimeEdit(edit, bench::Pathmoor); });
        const std::string measure = "longest unanswered time, " + std::string(edit.name);
        bench::PrintTableRow(measure + ", " + entries + " (ms)", pathmoor,
                             Rounded([&] { return TimeEdit(edit, bench::ReadingRowsFloor); }),
                             Goal);
        bench::PrintTableRow(measure + ", " + entries +
                                 ", against the bare registry calls alone (ms)",
                             pathmoor, Rounded([&] { return TimeFloor(edit.floor); }), 0);
    }
    bench::DeleteProgramRoot();
    return 0;
}
