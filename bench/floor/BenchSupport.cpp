#include "bench/floor/BenchSupport.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "bench/probe/PaintProbe.h"
#include "catalogue/ApplicationCategorizedList.h"
#include "catalogue/ApplicationItem.h"
#include "catalogue/Category.h"
#include "store/CatalogueStore.h"
#include "store/RegistryNames.h"

namespace bench
{
const wchar_t PathmoorMainClass[] = L"ApplicationManagerWindowClass";
const wchar_t FloorMainClass[] = L"FloorMainWindow";
const ProgramUnderTest Pathmoor = {
    L"pathmoor.exe", PathmoorMainClass, L"ListItem", L"ShortcutsToolBar", true, L""};
const ProgramUnderTest RowsFloor = {L"rows_floor.exe", FloorMainClass, L"FloorRow",
                                    L"FloorToolbar",   false,          nullptr};
const ProgramUnderTest ReadingRowsFloor = {
    L"rows_floor.exe", FloorMainClass, L"FloorRow", L"FloorToolbar", true, ReadCatalogueArgument};
const ProgramUnderTest FontsRowsFloor = {L"rows_floor.exe", FloorMainClass, L"FloorRow",
                                         L"FloorToolbar",   false,          L"fonts"};
const ProgramUnderTest IconsRowsFloor = {L"rows_floor.exe", FloorMainClass, L"FloorRow",
                                         L"FloorToolbar",   false,          L"fonts icons"};
const ProgramUnderTest ThreadRowsFloor = {
    L"rows_floor.exe", FloorMainClass, L"FloorRow",
    L"FloorToolbar",   true,           L"read fonts icons thread"};

namespace
{
constexpr DWORD PollMs = 2;

std::wstring ProgramRootPath()
{
    std::wstring root(RegistryRoot);
    root.pop_back(); // the trailing separator
    return root;
}

struct DescendantSearch
{
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM lParam)
{
    if (IsWindowVisible(window))
        reinterpret_cast<DescendantSearch*>(lParam)->found.push_back(window);
    return TRUE;
}

bool HasClass(HWND window, const wchar_t* className)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, ARRAYSIZE(name));
    return lstrcmpiW(name, className) == 0;
}

HWND VisibleWindowOfProcess(DWORD pid, const wchar_t* className)
{
    for (HWND window = FindWindowExW(nullptr, nullptr, className, nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, className, nullptr))
    {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == pid && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

bool PrepareStart(const ProgramUnderTest& program, int entries)
{
    return !program.readsCatalogue || WriteCatalogue(entries);
}

bool LaunchAndWait(CStartedProgram& started, const ProgramUnderTest& program, int entries,
                   DWORD timeoutMs)
{
    std::wstring arguments = program.readsCatalogue ? program.arguments : std::to_wstring(entries);
    if (!program.readsCatalogue && program.arguments)
        arguments += std::wstring(L" ") + program.arguments;
    return started.Start(program.exeName, arguments, program.mainClass, program.rowClass,
                         entries + CategoryCount(entries)) &&
           started.WaitUntilPainted(program.mainClass, timeoutMs);
}

void SendInputs(INPUT* inputs, UINT count)
{
    SendInput(count, inputs, sizeof(INPUT));
}
} // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!condition())
    {
        if (GetTickCount64() >= end)
            return false;
        Sleep(PollMs);
    }
    return true;
}

void PrintTableHeader()
{
    std::printf("| measure | pathmoor | floor | ratio | goal |\n|---|---|---|---|---|\n");
}

std::string FormatNumber(double value)
{
    char text[32] = {};
    std::snprintf(text, sizeof(text), value >= 100 ? "%.0f" : "%.2f", value);
    return text;
}

void PrintTableRow(const std::string& measure, const std::string& pathmoor,
                   const std::string& floor, const std::string& ratio)
{
    std::printf("| %s | %s | %s | %s |\n", measure.c_str(), pathmoor.c_str(), floor.c_str(),
                ratio.c_str());
    std::fflush(stdout);
}

std::string FormatMeasured(double value)
{
    return value < 0 ? "not measured" : FormatNumber(value);
}

void PrintTableRow(const std::string& measure, double pathmoor, double floor, double goal)
{
    const bool measured = pathmoor >= 0 && floor > 0;
    const double ratio = measured ? pathmoor / floor : 0;
    std::string goalText = goal > 0 ? "<= " + FormatNumber(goal) : "-";
    if (goal > 0 && measured && ratio > goal)
        goalText += " (missed)";
    PrintTableRow(measure, FormatMeasured(pathmoor), FormatMeasured(floor),
                  (measured ? FormatNumber(ratio) : "n/a") + " | " + goalText);
}

double Median(std::vector<double> values)
{
    if (values.empty() || *std::min_element(values.begin(), values.end()) < 0)
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now = {};
    QueryPerformanceCounter(&now);
    return now;
}

double MillisecondsSince(const LARGE_INTEGER& start)
{
    LARGE_INTEGER frequency = {};
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(Now().QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

int CategoryCount(int entries)
{
    return (entries + EntriesPerCategory - 1) / EntriesPerCategory;
}

void WriteBareEntry(HKEY category, const std::wstring& name)
{
    HKEY entry = nullptr;
    if (RegCreateKeyExW(category, name.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &entry,
                        nullptr) != ERROR_SUCCESS)
        return;
    const auto setString = [entry](const wchar_t* value, const std::wstring& text)
    {
        RegSetValueExW(entry, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    };
    setString(ItemPathValue, EntryPath());
    setString(ArgumentsValue, L"");
    setString(StartInValue, L"");
    const DWORD hotKey = 0;
    RegSetValueExW(entry, HotKeyValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&hotKey),
                   sizeof(hotKey));
    RegCloseKey(entry);
}

void WriteBareEntryAt(const std::wstring& categoryPath, const std::wstring& name)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, categoryPath.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;
    WriteBareEntry(key, name);
    RegCloseKey(key);
}

void DeleteTree(const std::wstring& path)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
}

std::wstring ApplicationsPath()
{
    return std::wstring(RegistryRoot) + ApplicationsKindPath;
}

std::wstring EntryName(int index)
{
    return L"Entry " + std::to_wstring(index);
}

std::wstring CategoryName(int index)
{
    return L"Category " + std::to_wstring(index);
}

std::wstring EntryPath()
{
    wchar_t directory[MAX_PATH] = {};
    GetWindowsDirectoryW(directory, MAX_PATH);
    return std::wstring(directory) + L"\\notepad.exe";
}

bool WriteCatalogue(int entries)
{
    DeleteProgramRoot();
    CApplicationCategorizedList list;
    for (int index = 0; index < entries; ++index)
    {
        CCategory* category = list.AddCategory(CategoryName(index / EntriesPerCategory));
        category->InsertItem(std::make_unique<CApplicationItem>(EntryName(index), category,
                                                                EntryPath(), L"", L"", 0, nullptr));
    }
    HKEY root = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, ProgramRootPath().c_str(), 0, nullptr, 0, KEY_WRITE,
                        nullptr, &root, nullptr) != ERROR_SUCCESS)
        return false;
    const DWORD zero = 0;
    const LONG marked = RegSetValueExW(root, FirstLaunchValue, 0, REG_DWORD,
                                       reinterpret_cast<const BYTE*>(&zero), sizeof(zero));
    RegCloseKey(root);
    return marked == ERROR_SUCCESS && SaveApplications(list);
}

void DeleteProgramRoot()
{
    DeleteTree(ProgramRootPath());
}

std::vector<std::wstring> SubkeyNames(HKEY key)
{
    std::vector<std::wstring> names;
    wchar_t name[256] = {};
    for (DWORD index = 0;; ++index)
    {
        DWORD length = ARRAYSIZE(name);
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            return names;
        names.emplace_back(name, length);
    }
}

std::wstring BinaryDirectory()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path);
    return directory.substr(0, directory.find_last_of(L'\\') + 1);
}

CStartedProgram::~CStartedProgram()
{
    End();
}

bool CStartedProgram::Start(const std::wstring& exeName, const std::wstring& arguments,
                            const wchar_t* mainClass, const wchar_t* rowClass, int rows)
{
    End();
    const std::wstring path = BinaryDirectory() + exeName;
    std::wstring commandLine = L"\"" + path + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        BinaryDirectory().c_str(), &startup, &m_info))
        return false;
    if (m_probe.Hook(BinaryDirectory() + PaintProbeLibrary, m_info.dwProcessId, m_info.dwThreadId,
                     CPaintProbeClient::MakeRequest(mainClass, rowClass, rows)))
        return true;
    std::fprintf(stderr, "the paint probe %ls cannot be hooked\n", PaintProbeLibrary);
    return false;
}

bool CStartedProgram::WaitUntilPainted(const wchar_t* mainClass, DWORD timeoutMs)
{
    if (!m_probe.WaitUntilPainted(timeoutMs))
        return false;
    m_main = VisibleWindowOfProcess(m_info.dwProcessId, mainClass);
    return m_main != nullptr;
}

void CStartedProgram::End()
{
    m_probe.Unhook();
    if (m_info.hProcess == nullptr)
        return;
    TerminateProcess(m_info.hProcess, 0);
    WaitForSingleObject(m_info.hProcess, INFINITE);
    CloseHandle(m_info.hProcess);
    CloseHandle(m_info.hThread);
    m_info = {};
    m_main = nullptr;
}

bool StartAndPaint(CStartedProgram& started, const ProgramUnderTest& program, int entries,
                   DWORD timeoutMs)
{
    return PrepareStart(program, entries) && LaunchAndWait(started, program, entries, timeoutMs);
}

double TimeStart(const ProgramUnderTest& program, int entries, DWORD timeoutMs)
{
    if (!PrepareStart(program, entries))
        return -1;
    CStartedProgram started;
    const LARGE_INTEGER start = Now();
    return LaunchAndWait(started, program, entries, timeoutMs) ? MillisecondsSince(start) : -1;
}

std::vector<HWND> VisibleDescendants(HWND parent)
{
    DescendantSearch search;
    EnumChildWindows(parent, CollectVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int CountVisibleOfClass(HWND parent, const wchar_t* className)
{
    const std::vector<HWND> windows = VisibleDescendants(parent);
    return static_cast<int>(std::count_if(windows.begin(), windows.end(),
                                          [className](HWND window)
                                          { return HasClass(window, className); }));
}

bool Settle(HWND window, DWORD timeoutMs)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

HWND FindDescendant(HWND parent, const wchar_t* className)
{
    for (HWND window : VisibleDescendants(parent))
        if (HasClass(window, className))
            return window;
    return nullptr;
}

namespace
{
void ClickWith(POINT point, DWORD down, DWORD up)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs)
    {
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(point.x, 65535, width - 1);
        input.mi.dy = MulDiv(point.y, 65535, height - 1);
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE;
    }
    inputs[0].mi.dwFlags |= MOUSEEVENTF_MOVE;
    inputs[1].mi.dwFlags |= down;
    inputs[2].mi.dwFlags |= up;
    SendInputs(inputs, ARRAYSIZE(inputs));
}
} // namespace

void ClickAt(POINT point)
{
    ClickWith(point, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

void RightClickAt(POINT point)
{
    ClickWith(point, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

void PressKey(WORD vk)
{
    INPUT inputs[2] = {};
    for (INPUT& input : inputs)
    {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInputs(inputs, ARRAYSIZE(inputs));
}
} // namespace bench
