#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "store/SettingsStore.h"
#include "tests/unit/store/StoreTest.h"

namespace
{
const wchar_t OldCommand[] = L"\"C:\\Old Place\\pathmoor.exe\"";
const BYTE StoredPosition[16] = {10, 0, 0, 0, 20, 0, 0, 0, 110, 0, 0, 0, 220, 0, 0, 0};

std::wstring QuotedProgramPath()
{
    std::vector<wchar_t> path(32768);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return L"\"" + std::wstring(path.data(), length) + L"\"";
}

class StoreLaunchOnStartup : public StoreTest
{
protected:
    void StorePosition()
    {
        ASSERT_EQ(ERROR_SUCCESS, WriteRawValue(RootKey, L"WindowPos", REG_BINARY, StoredPosition,
                                               sizeof StoredPosition));
    }
};

TEST_F(StoreLaunchOnStartup, RunValueIsReadAfterAStoredPosition)
{
    StorePosition();
    ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(RunKey, RunValue, OldCommand));
    CSettings settings;
    EXPECT_TRUE(LoadSettings(settings));
    // Another folder's command still shows the option on.
    EXPECT_EQ(OldCommand, settings.m_startupCommand);
}

TEST_F(StoreLaunchOnStartup, RunKeyWithoutTheValue)
{
    StorePosition();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, RunKey.c_str(), RunValue);
    ASSERT_TRUE(IsValueAbsent(RunKey, RunValue));
    ASSERT_TRUE(KeyExists(RunKey));
    CSettings settings;
    EXPECT_TRUE(LoadSettings(settings));
    EXPECT_EQ(L"", settings.m_startupCommand);
}

TEST_F(StoreLaunchOnStartup, RunValueWithoutTerminator)
{
    StorePosition();
    ASSERT_EQ(ERROR_SUCCESS, WriteUnterminatedString(RunKey, RunValue, OldCommand));
    CSettings settings;
    LoadSettings(settings);
    EXPECT_EQ(OldCommand, settings.m_startupCommand);
}

TEST_F(StoreLaunchOnStartup, LongRunValueIsReadWhole)
{
    StorePosition();
    const std::wstring command = L"\"C:\\" + std::wstring(400, L'd') + L"\\pathmoor.exe\"";
    ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(RunKey, RunValue, command));
    CSettings settings;
    LoadSettings(settings);
    EXPECT_EQ(command, settings.m_startupCommand)
        << "read " << settings.m_startupCommand.size() << " characters";
}

TEST_F(StoreLaunchOnStartup, EnableWritesTheQuotedProgramPath)
{
    CSettings settings;
    SetLaunchOnStartup(settings, true);
    const std::wstring expected = QuotedProgramPath();
    ASSERT_GT(expected.size(), 2u);
    EXPECT_TRUE(IsStringValue(RunKey, RunValue, expected));
    EXPECT_EQ(expected, settings.m_startupCommand);
}

TEST_F(StoreLaunchOnStartup, DisableDeletesTheValue)
{
    CSettings settings;
    SetLaunchOnStartup(settings, true);
    ASSERT_NE(L"", settings.m_startupCommand);
    SetLaunchOnStartup(settings, false);
    EXPECT_TRUE(IsValueAbsent(RunKey, RunValue));
    EXPECT_EQ(L"", settings.m_startupCommand);
}

TEST_F(StoreLaunchOnStartup, ToggleOfAnotherFoldersCommandDeletesIt)
{
    StorePosition();
    ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(RunKey, RunValue, OldCommand));
    CSettings settings;
    LoadSettings(settings);
    SetLaunchOnStartup(settings, settings.m_startupCommand.empty());
    EXPECT_TRUE(IsValueAbsent(RunKey, RunValue));
    EXPECT_EQ(L"", settings.m_startupCommand);
}

TEST_F(StoreLaunchOnStartup, EnableCreatesAMissingRunKeyWithTheValue)
{
    UseEmptyProfile();
    CSettings settings;
    SetLaunchOnStartup(settings, true);
    const std::wstring expected = QuotedProgramPath();
    EXPECT_TRUE(IsStringValue(RunKey, RunValue, expected));
    EXPECT_EQ(expected, settings.m_startupCommand);
}

TEST_F(StoreLaunchOnStartup, DisableWithoutRunKeyTurnsTheOptionOff)
{
    UseEmptyProfile();
    CSettings settings;
    settings.m_startupCommand = OldCommand;
    SetLaunchOnStartup(settings, false);
    EXPECT_EQ(L"", settings.m_startupCommand);
    EXPECT_FALSE(KeyExists(RunKey));
}

TEST_F(StoreLaunchOnStartup, LoadWithoutRunKey)
{
    UseEmptyProfile();
    StorePosition();
    CSettings settings;
    settings.m_startupCommand = L"sentinel";
    EXPECT_FALSE(LoadSettings(settings));
    EXPECT_EQ(L"sentinel", settings.m_startupCommand);
    EXPECT_TRUE(IsRectEqual(settings.m_windowRect, RECT{10, 20, 110, 220}));
    EXPECT_FALSE(KeyExists(RunKey));
}

TEST_F(StoreLaunchOnStartup, EnableThatCannotBeWrittenLeavesTheOptionOff)
{
    UseEmptyProfile();
    ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(RunKey, L"Other", L"other.exe"));
    ASSERT_EQ(ERROR_SUCCESS, DenyWrites(RunKey));
    CSettings settings;
    SetLaunchOnStartup(settings, true);
    EXPECT_EQ(L"", settings.m_startupCommand);
    EXPECT_TRUE(IsValueAbsent(RunKey, RunValue));
}

TEST_F(StoreLaunchOnStartup, DisableThatCannotDeleteLeavesTheOptionOn)
{
    UseEmptyProfile();
    ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(RunKey, RunValue, OldCommand));
    ASSERT_EQ(ERROR_SUCCESS, DenyWrites(RunKey));
    CSettings settings;
    settings.m_startupCommand = OldCommand;
    SetLaunchOnStartup(settings, false);
    EXPECT_EQ(OldCommand, settings.m_startupCommand);
    EXPECT_TRUE(IsStringValue(RunKey, RunValue, OldCommand));
}
} // namespace
