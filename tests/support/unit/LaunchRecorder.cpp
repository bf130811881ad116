#include "tests/support/unit/LaunchRecorder.h"

#include "tests/support/ChildProcess.h"

#include <shellapi.h>

#include <sstream>

namespace test_support
{
namespace
{
constexpr wchar_t RecordVariable[] = L"PATHMOOR_LAUNCH_RECORD";

std::wstring NewRecordPath()
{
    static int s_count = 0;
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"pm-launch-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++s_count) + L".txt";
}

bool ReadWholeFile(const std::wstring& path, std::wstring& text)
{
    CScopedHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    const DWORD size = GetFileSize(file.Get(), nullptr);
    text.assign(size / sizeof(wchar_t), L'\0');
    DWORD read = 0;
    return size == 0 || (ReadFile(file.Get(), &text[0], size, &read, nullptr) && read == size);
}

struct CWindowSearch
{
    DWORD processId;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<CWindowSearch*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(hWnd, &processId);
    wchar_t className[64] = {};
    GetClassNameW(hWnd, className, 64);
    if (processId == search->processId && !GetParent(hWnd) &&
        lstrcmpW(className, search->className) == 0)
    {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}
} // namespace

CLaunchRecorder::CLaunchRecorder() : m_recordPath(NewRecordPath())
{
    DeleteFileW(m_recordPath.c_str());
    SetEnvironmentVariableW(RecordVariable, m_recordPath.c_str());
}

CLaunchRecorder::~CLaunchRecorder()
{
    EndProcess();
    SetEnvironmentVariableW(RecordVariable, nullptr);
    DeleteFileW(m_recordPath.c_str());
}

std::wstring CLaunchRecorder::ProgramPath()
{
    wchar_t path[MAX_PATH] = {};
    std::wstring program(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return program.substr(0, program.rfind(L'\\') + 1) + L"launch_recorder.exe";
}

bool CLaunchRecorder::Start(const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + ProgramPath() + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (test_support::StartChildProcess(nullptr, commandLine, false, 0, startup, process) !=
        ERROR_SUCCESS)
        return false;
    CloseHandle(process.hThread);
    m_process.Reset(process.hProcess);
    return WaitForRecord();
}

bool CLaunchRecorder::WaitForRecord(DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!ReadRecord())
    {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    if (!m_process)
        m_process.Reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE,
                                    FALSE, m_processId));
    return static_cast<bool>(m_process);
}

bool CLaunchRecorder::ReadRecord()
{
    std::wstring text;
    if (!ReadWholeFile(m_recordPath, text))
        return false;
    std::wistringstream lines(text);
    std::wstring processId;
    std::getline(lines, m_commandLine);
    std::getline(lines, m_folder);
    std::getline(lines, processId);
    m_processId = static_cast<DWORD>(std::wcstoul(processId.c_str(), nullptr, 10));
    return m_processId != 0;
}

HWND CLaunchRecorder::FindWindowOfClass(const wchar_t* className) const
{
    CWindowSearch search = {m_processId, className, nullptr};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DWORD CLaunchRecorder::WaitForExit(DWORD timeoutMs) const
{
    DWORD exitCode = STILL_ACTIVE;
    if (m_process && WaitForSingleObject(m_process.Get(), timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(m_process.Get(), &exitCode);
    return exitCode;
}

// A helper a test left running is asked to close first, and terminated only if it will not.
void CLaunchRecorder::EndProcess()
{
    if (!m_process || WaitForSingleObject(m_process.Get(), 0) == WAIT_OBJECT_0)
        return;
    if (const HWND main = FindMainWindow())
        PostMessageW(main, WM_CLOSE, 0, 0);
    if (WaitForExit(10000) == STILL_ACTIVE)
        TerminateProcess(m_process.Get(), 9);
}

std::vector<std::wstring> CommandLineArguments(const std::wstring& commandLine)
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(commandLine.c_str(), &count);
    std::vector<std::wstring> result;
    for (int i = 1; i < count; ++i)
        result.push_back(arguments[i]);
    LocalFree(arguments);
    return result;
}
} // namespace test_support
