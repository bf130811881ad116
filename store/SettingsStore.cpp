#include "store/SettingsStore.h"

#include <array>
#include <cwchar>

#include "store/RegistryKey.h"
#include "store/RegistryNames.h"
#include "toolkit/Utilities.h"

namespace
{
static_assert(sizeof(RECT) == 16, "WindowPos holds four 32-bit values");

// Longer data is refused rather than cut off.
constexpr DWORD MaxStringValueBytes = 2047;

std::wstring ShowWindowHotKeyPath()
{
    return std::wstring(RegistryRoot) + ShowWindowHotKeyKey;
}

void ReadFlag(const CRegistryKey& key, const wchar_t* name, bool& flag)
{
    DWORD data = 0;
    if (key.QueryDword(name, data) == ERROR_SUCCESS)
        flag = data != 0;
}

void ReadUint(const CRegistryKey& key, const wchar_t* name, UINT& value)
{
    DWORD data = 0;
    if (key.QueryDword(name, data) == ERROR_SUCCESS)
        value = data;
}

void LoadFirstLaunch(CRegistryKey& root, CSettings& settings)
{
    if (root.HasValue(FirstLaunchValue))
        settings.m_firstLaunch = false;
    // Written at once, so that a run that ends abnormally still counts.
    root.SetDword(FirstLaunchValue, 0);
}

void LoadOptions(const CRegistryKey& root, CSettings& settings)
{
    ReadFlag(root, ShowApplicationIconsValue, settings.m_showApplicationIcons);
    ReadFlag(root, ShowFolderIconsValue, settings.m_showFolderIcons);
    ReadFlag(root, ShowShortcutIconsValue, settings.m_showShortcutIcons);
    ReadFlag(root, HideAfterLaunchValue, settings.m_hideAfterLaunch);
}

// A value that cannot be written still changes the option for this run; a
// root that cannot be opened at all leaves it alone.
void SaveOption(const wchar_t* name, bool value, bool& option)
{
    CRegistryKey root;
    if (root.Create(HKEY_CURRENT_USER, RegistryRoot, KEY_WRITE) != ERROR_SUCCESS)
        return;
    root.SetDword(name, value ? 1 : 0);
    option = value;
}

// Hidden to the tray, a maximized window is minimized and has lost WS_MAXIMIZE;
// it would still come back maximized.
bool IsMaximized(HWND window, const WINDOWPLACEMENT& placement)
{
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    if (style & WS_MAXIMIZE)
        return true;
    return (style & WS_MINIMIZE) && (placement.flags & WPF_RESTORETOMAXIMIZED);
}

// Creates the Run key when missing: a new profile may not have it yet.
void EnableLaunchOnStartup(CSettings& settings)
{
    // Empty when the path cannot be had; a cut-off path would start nothing.
    const std::wstring path = GetModulePath(nullptr);
    if (path.empty())
        return;
    CRegistryKey run;
    if (run.Create(HKEY_CURRENT_USER, RunKeyPath, KEY_SET_VALUE) != ERROR_SUCCESS)
        return;
    const std::wstring command = L"\"" + path + L"\"";
    if (run.SetString(RunValueName, command) == ERROR_SUCCESS)
        settings.m_startupCommand = command;
}

void DisableLaunchOnStartup(CSettings& settings)
{
    CRegistryKey run;
    LONG result = run.Open(HKEY_CURRENT_USER, RunKeyPath, KEY_SET_VALUE);
    if (result == ERROR_SUCCESS)
        result = run.DeleteValue(RunValueName);
    // Without the key or the value nothing starts the program any more.
    if (result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND)
        settings.m_startupCommand.clear();
}
} // namespace

bool LoadSettings(CSettings& settings)
{
    // The Run entry is read only after a position proves an earlier run.
    const bool loaded = LoadWindowPlacement(settings) && LoadStartupCommand(settings);
    CRegistryKey root;
    if (root.Open(HKEY_CURRENT_USER, RegistryRoot, KEY_READ | KEY_SET_VALUE) != ERROR_SUCCESS)
        return false;
    LoadFirstLaunch(root, settings);
    LoadOptions(root, settings);
    return loaded;
}

bool LoadWindowPlacement(CSettings& settings)
{
    CRegistryKey root;
    DWORD disposition = 0;
    if (root.Create(HKEY_CURRENT_USER, RegistryRoot, KEY_READ, &disposition) != ERROR_SUCCESS)
        return false;
    if (disposition != REG_OPENED_EXISTING_KEY)
        return false;
    DWORD maximized = 0;
    root.QueryDword(MaximizedValue, maximized);
    settings.m_maximized = maximized != 0;
    RECT rect = {};
    if (root.QueryBinary(WindowPosValue, &rect, sizeof rect) != ERROR_SUCCESS)
        return false;
    settings.m_windowRect = rect;
    return true;
}

bool LoadStartupCommand(CSettings& settings)
{
    CRegistryKey run;
    if (run.Open(HKEY_CURRENT_USER, RunKeyPath, KEY_QUERY_VALUE) != ERROR_SUCCESS)
        return false;
    run.QueryString(RunValueName, settings.m_startupCommand);
    return true;
}

void SaveWindowPlacement(HWND window)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement))
        return;
    CRegistryKey root;
    if (root.Create(HKEY_CURRENT_USER, RegistryRoot, KEY_WRITE) != ERROR_SUCCESS)
        return;
    root.SetBinary(WindowPosValue, &placement.rcNormalPosition, sizeof placement.rcNormalPosition);
    root.SetDword(MaximizedValue, IsMaximized(window, placement) ? 1 : 0);
}

void SetLaunchOnStartup(CSettings& settings, bool enable)
{
    if (enable)
        EnableLaunchOnStartup(settings);
    else
        DisableLaunchOnStartup(settings);
}

void SaveShowApplicationIcons(CSettings& settings, bool show)
{
    SaveOption(ShowApplicationIconsValue, show, settings.m_showApplicationIcons);
}

void SaveShowFolderIcons(CSettings& settings, bool show)
{
    SaveOption(ShowFolderIconsValue, show, settings.m_showFolderIcons);
}

void SaveShowShortcutIcons(CSettings& settings, bool show)
{
    SaveOption(ShowShortcutIconsValue, show, settings.m_showShortcutIcons);
}

void SaveHideAfterLaunch(CSettings& settings, bool hide)
{
    SaveOption(HideAfterLaunchValue, hide, settings.m_hideAfterLaunch);
}

bool LoadShowWindowHotKey(UINT& modifiers, UINT& key)
{
    CRegistryKey hotKey;
    if (hotKey.Open(HKEY_CURRENT_USER, ShowWindowHotKeyPath().c_str(), KEY_READ) != ERROR_SUCCESS)
        return false;
    ReadUint(hotKey, ModifiersValue, modifiers);
    ReadUint(hotKey, KeyValue, key);
    return true;
}

void SaveShowWindowHotKey(UINT modifiers, UINT key)
{
    CRegistryKey hotKey;
    if (hotKey.Create(HKEY_CURRENT_USER, ShowWindowHotKeyPath().c_str(), KEY_WRITE) !=
        ERROR_SUCCESS)
        return;
    hotKey.SetDword(ModifiersValue, modifiers);
    hotKey.SetDword(KeyValue, key);
}

bool ReadStringValue(const wchar_t* name, HKEY key, std::wstring& out)
{
    std::array<wchar_t, 1024> buffer = {};
    DWORD size = MaxStringValueBytes;
    if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS)
    {
        out.clear();
        return false;
    }
    // Bounded by the data: a value that fills the buffer has no null after it.
    out.assign(buffer.data(), wcsnlen(buffer.data(), size / sizeof(wchar_t)));
    return true;
}
