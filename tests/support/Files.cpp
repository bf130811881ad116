#include "tests/support/Files.h"

#include "tests/support/ChildProcess.h"
#include "tests/support/Harness.h"

#include <windows.h>

namespace e2e
{
std::wstring TempFolder()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    wchar_t longTemp[MAX_PATH] = {};
    GetLongPathNameW(temp, longTemp, MAX_PATH);
    return longTemp;
}

std::string ReadWholeFile(const std::wstring& path)
{
    std::string text;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        text.append(buffer, read);
    CloseHandle(file);
    return text;
}

std::vector<std::wstring> ReadRecord(const std::wstring& path)
{
    const std::string bytes = ReadWholeFile(path);
    const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()),
                            bytes.size() / sizeof(wchar_t));
    std::vector<std::wstring> lines;
    for (size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos;
         start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

std::wstring PrepareLaunchRecord(const std::wstring& fileName)
{
    const std::wstring path = TempFolder() + fileName;
    DeleteFileW(path.c_str());
    SetEnvironmentVariableW(L"PATHMOOR_LAUNCH_RECORD", path.c_str());
    return path;
}

std::string RunClipboardReader(const wchar_t* way, const std::wstring& outputPath)
{
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE output = CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                CREATE_ALWAYS, 0, nullptr);
    if (output == INVALID_HANDLE_VALUE)
        return "<no output file>";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    std::wstring commandLine =
        L"\"" + ExecutableDirectory() + L"clipboard_reader.exe\" " + std::wstring(way);
    PROCESS_INFORMATION process = {};
    const bool started = test_support::StartChildProcess(nullptr, commandLine, true, 0, startup,
                                                         process) == ERROR_SUCCESS;
    CloseHandle(output);
    if (!started)
        return "<reader did not start>";
    const bool ended = WaitForSingleObject(process.hProcess, DefaultTimeoutMs) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(process.hProcess, 255);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended ? ReadWholeFile(outputPath) : "<reader hung>";
}

std::string Utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0], size,
                        nullptr, nullptr);
    return bytes;
}
} // namespace e2e
