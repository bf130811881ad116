// Stands in for a launched program. It writes its command line, working folder and process id
// (UTF-16, one per line) to the file the environment variable PATHMOOR_LAUNCH_RECORD names,
// once its windows exist, then keeps a visible top-level window "Launch recorder" until that
// window is asked to close.
//   --hidden-first   also makes a hidden parentless window above it that ignores WM_CLOSE
//   --hidden-only    keeps the main window hidden
// Exit code 0 when the main window was closed, 3 when the message loop ended otherwise
// (WM_QUIT from outside), 1 when the windows could not be made.

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace
{
constexpr wchar_t MainClass[] = L"LaunchRecorderWindow";
constexpr wchar_t DecoyClass[] = L"LaunchRecorderDecoy";

bool g_closed = false;

LRESULT CALLBACK MainProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
    {
        g_closed = true;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

LRESULT CALLBACK DecoyProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE)
        return 0;
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

bool HasSwitch(const wchar_t* name)
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    bool found = false;
    for (int i = 1; i < count; ++i)
        found = found || lstrcmpW(arguments[i], name) == 0;
    LocalFree(arguments);
    return found;
}

HWND MakeWindow(const wchar_t* className, WNDPROC procedure, const wchar_t* title)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW, 60, 60, 320, 160, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

std::wstring CurrentFolder()
{
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), &folder[0]));
    return folder;
}

// Written under a temporary name and renamed, so a reader never sees half a record.
void WriteRecord()
{
    wchar_t target[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"PATHMOOR_LAUNCH_RECORD", target, MAX_PATH))
        return;
    const std::wstring text = std::wstring(GetCommandLineW()) + L"\n" + CurrentFolder() + L"\n" +
                              std::to_wstring(GetCurrentProcessId()) + L"\n";
    const std::wstring temporary = std::wstring(target) + L".part";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written,
              nullptr);
    CloseHandle(file);
    // A test polling the record holds it open for a moment, and the replacement then fails.
    for (int attempt = 0; attempt < 250; ++attempt)
    {
        if (MoveFileExW(temporary.c_str(), target, MOVEFILE_REPLACE_EXISTING))
            return;
        Sleep(20);
    }
}
} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const HWND main = MakeWindow(MainClass, MainProc, L"Launch recorder");
    if (!main)
        return 1;
    if (!HasSwitch(L"--hidden-only"))
        ShowWindow(main, SW_SHOWNORMAL);
    // Made after the main window is shown, so it comes first in z-order.
    if (HasSwitch(L"--hidden-first") && !MakeWindow(DecoyClass, DecoyProc, L"Decoy"))
        return 1;
    WriteRecord();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
    {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return g_closed ? 0 : 3;
}
