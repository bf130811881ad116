#pragma once

// What the benchmark programs share: the table they print, a catalogue of a
// given size in the registry, and a started program whose first complete
// paint, memory and objects can be read from outside.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "bench/probe/PaintProbeClient.h"

namespace bench
{
constexpr int EntriesPerCategory = 50;
constexpr DWORD StartTimeoutMs = 60000;
// Makes the rows floor read the catalogue that WriteCatalogue stored.
inline constexpr wchar_t ReadCatalogueArgument[] = L"read";

extern const wchar_t PathmoorMainClass[];
extern const wchar_t FloorMainClass[];

void PrintTableHeader();
// A ratio above the goal is marked, so a reader of the table sees it at once;
// a negative figure was not measured. A goal of 0 is none.
void PrintTableRow(const std::string& measure, double pathmoor, double floor, double goal);
void PrintTableRow(const std::string& measure, const std::string& pathmoor,
                   const std::string& floor, const std::string& ratio);
std::string FormatNumber(double value);

// Polls the condition until it holds; false when the time is up first.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// Negative when any of the values is: one failed round leaves nothing to report.
double Median(std::vector<double> values);
double MillisecondsSince(const LARGE_INTEGER& start);
LARGE_INTEGER Now();

int CategoryCount(int entries);
std::wstring EntryName(int index);
std::wstring CategoryName(int index);
// An existing program, so that every row gets its real icon as a user's would.
std::wstring EntryPath();

// The program's key holding only the applications catalogue and the marker of
// an earlier start (so no first-start defaults are added).
bool WriteCatalogue(int entries);
void DeleteProgramRoot();

std::wstring BinaryDirectory();
// One entry's key below category with its four values, written with bare registry
// calls as the floors write them.
void WriteBareEntry(HKEY category, const std::wstring& name);
// The same below the key at that path of HKEY_CURRENT_USER, made when missing.
void WriteBareEntryAt(const std::wstring& categoryPath, const std::wstring& name);
// The key at that path of HKEY_CURRENT_USER and everything below it, with bare calls.
void DeleteTree(const std::wstring& path);
// The stored applications list's key below HKEY_CURRENT_USER, closing backslash included.
std::wstring ApplicationsPath();
// The names of a key's subkeys, with bare registry calls as the floors make them.
std::vector<std::wstring> SubkeyNames(HKEY key);

// pathmoor.exe or a floor program started from the benchmarks' folder; ended
// with TerminateProcess, so nothing it would save at exit changes the store.
class CStartedProgram
{
public:
    CStartedProgram() = default;
    ~CStartedProgram();
    CStartedProgram(const CStartedProgram&) = delete;
    CStartedProgram& operator=(const CStartedProgram&) = delete;

    // The paint probe hooked into the program's thread waits for the visible main
    // window with every row window shown, and no window of the program left to paint
    // (bench/probe): counting thousands of windows from here takes longer than painting
    // them. Rows are windows of rowClass; the row count includes the category headers.
    bool Start(const std::wstring& exeName, const std::wstring& arguments, const wchar_t* mainClass,
               const wchar_t* rowClass, int rows);
    bool WaitUntilPainted(const wchar_t* mainClass, DWORD timeoutMs);
    HWND MainWindow() const { return m_main; }
    HANDLE Process() const { return m_info.hProcess; }
    void End();

private:
    PROCESS_INFORMATION m_info = {};
    HWND m_main = nullptr;
    CPaintProbeClient m_probe;
};

// pathmoor.exe with a stored catalogue, or the rows floor program.
struct ProgramUnderTest
{
    const wchar_t* exeName;
    const wchar_t* mainClass;
    const wchar_t* rowClass;
    const wchar_t* toolbarClass; // holding the search box, an "Edit"
    bool readsCatalogue;         // from the registry; else given the entry count
    const wchar_t* arguments;    // for one that reads the catalogue, else after the count
};
extern const ProgramUnderTest Pathmoor;
extern const ProgramUnderTest RowsFloor;
// The rows floor reading the stored catalogue with bare registry calls first.
extern const ProgramUnderTest ReadingRowsFloor;
// The rows floor adding, one by one, what the program pays for beyond its own code: rows
// painted in its fonts, then each entry's icon from the shell's list, then the stored
// catalogue read on a second thread.
extern const ProgramUnderTest FontsRowsFloor;
extern const ProgramUnderTest IconsRowsFloor;
extern const ProgramUnderTest ThreadRowsFloor;

// Starts the program with that many entries and waits for its first complete
// paint; the catalogue is written before, outside any timing.
bool StartAndPaint(CStartedProgram& started, const ProgramUnderTest& program, int entries,
                   DWORD timeoutMs = StartTimeoutMs);
// Milliseconds from the start of the process to its first complete paint; a
// negative value when it did not get there in time.
double TimeStart(const ProgramUnderTest& program, int entries, DWORD timeoutMs = StartTimeoutMs);

// Every visible window in the tree below parent, parent excluded.
std::vector<HWND> VisibleDescendants(HWND parent);
int CountVisibleOfClass(HWND parent, const wchar_t* className);
// Returns once the window's thread has handled everything sent before.
bool Settle(HWND window, DWORD timeoutMs);
HWND FindDescendant(HWND parent, const wchar_t* className);

// Real input in screen coordinates.
void ClickAt(POINT point);
void RightClickAt(POINT point);
void PressKey(WORD vk);
} // namespace bench
