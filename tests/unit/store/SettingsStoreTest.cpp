#include <gtest/gtest.h>
#include <windows.h>

#include "store/SettingsStore.h"
#include "tests/unit/store/StoreTest.h"

namespace
{
const wchar_t OldCommand[] = L"\"C:\\Old Place\\pathmoor.exe\"";

struct Option
{
    const wchar_t* name;
    bool CSettings::*member;
    void (*save)(CSettings&, bool);
};

const Option Options[] = {
    {L"ShowApplicationIcons", &CSettings::m_showApplicationIcons, SaveShowApplicationIcons},
    {L"ShowFolderIcons", &CSettings::m_showFolderIcons, SaveShowFolderIcons},
    {L"ShowShortcutIcons", &CSettings::m_showShortcutIcons, SaveShowShortcutIcons},
    {L"HideAfterLaunch", &CSettings::m_hideAfterLaunch, SaveHideAfterLaunch},
};

void SetAllOptions(CSettings& settings, bool value)
{
    for (const Option& option : Options)
        settings.*option.member = value;
}

void ExpectAllOptions(const CSettings& settings, bool expected)
{
    for (const Option& option : Options)
        EXPECT_EQ(expected, settings.*option.member) << option.name;
}

class StoreSettings : public StoreTest
{
};

TEST_F(StoreSettings, FirstStartOnCleanProfile)
{
    ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(RunKey, RunValue, OldCommand));
    CSettings settings;
    EXPECT_FALSE(LoadSettings(settings));

    EXPECT_TRUE(KeyExists(RootKey));
    EXPECT_TRUE(IsDwordValue(RootKey, L"FirstLaunch", 0));
    EXPECT_TRUE(IsValueAbsent(RootKey, L"WindowPos"));
    EXPECT_TRUE(IsValueAbsent(RootKey, L"Maximized"));
    EXPECT_TRUE(IsRectEqual(settings.m_windowRect, RECT{0, 0, 0, 0}));
    EXPECT_FALSE(settings.m_maximized);
    // Without a stored position the Run value is not looked at.
    EXPECT_EQ(L"", settings.m_startupCommand);
    EXPECT_TRUE(settings.m_firstLaunch);
    EXPECT_TRUE(settings.m_showApplicationIcons);
    EXPECT_TRUE(settings.m_showFolderIcons);
    EXPECT_TRUE(settings.m_showShortcutIcons);
    EXPECT_FALSE(settings.m_hideAfterLaunch);
}

TEST_F(StoreSettings, SecondStartIsNotTheFirstLaunch)
{
    CSettings first;
    LoadSettings(first);
    ASSERT_TRUE(first.m_firstLaunch);
    CSettings second;
    LoadSettings(second);
    EXPECT_FALSE(second.m_firstLaunch);
}

TEST_F(StoreSettings, AnyFirstLaunchValueMeansAnEarlierRun)
{
    const BYTE eightBytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const struct
    {
        DWORD type;
        const void* data;
        DWORD size;
    } markers[] = {{REG_DWORD, "\1\0\0\0", 4}, {REG_SZ, L"yes", 8}, {REG_BINARY, eightBytes, 8}};
    for (const auto& marker : markers)
    {
        SCOPED_TRACE(testing::Message()
                     << "type " << marker.type << ", " << marker.size << " bytes");
        ASSERT_EQ(ERROR_SUCCESS,
                  WriteRawValue(RootKey, L"FirstLaunch", marker.type, marker.data, marker.size));
        CSettings settings;
        LoadSettings(settings);
        EXPECT_FALSE(settings.m_firstLaunch);
        EXPECT_TRUE(IsDwordValue(RootKey, L"FirstLaunch", 0));
    }
}

TEST_F(StoreSettings, OptionValueTwoReadsTrueAndTheNextToggleWritesZero)
{
    for (const Option& option : Options)
        ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(RootKey, option.name, 2));
    CSettings settings;
    SetAllOptions(settings, false);
    LoadSettings(settings);
    ExpectAllOptions(settings, true);
    for (const Option& option : Options)
    {
        SCOPED_TRACE(testing::Message() << option.name);
        option.save(settings, !(settings.*option.member));
        EXPECT_FALSE(settings.*option.member);
        EXPECT_TRUE(IsDwordValue(RootKey, option.name, 0));
    }
}

TEST_F(StoreSettings, OptionValueZeroReadsFalse)
{
    for (const Option& option : Options)
        ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(RootKey, option.name, 0));
    CSettings settings;
    SetAllOptions(settings, true);
    LoadSettings(settings);
    ExpectAllOptions(settings, false);
}

TEST_F(StoreSettings, OptionOfAnotherTypeKeepsItsValue)
{
    for (const Option& option : Options)
        ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(RootKey, option.name, L"1"));
    CSettings settings;
    SetAllOptions(settings, false);
    LoadSettings(settings);
    ExpectAllOptions(settings, false);
}

TEST_F(StoreSettings, SavingAnOptionCreatesTheRoot)
{
    for (const Option& option : Options)
    {
        SCOPED_TRACE(testing::Message() << option.name);
        CSettings settings;
        SetAllOptions(settings, false);
        option.save(settings, true);
        EXPECT_TRUE(settings.*option.member);
        EXPECT_TRUE(IsDwordValue(RootKey, option.name, 1));
        option.save(settings, false);
        EXPECT_FALSE(settings.*option.member);
        EXPECT_TRUE(IsDwordValue(RootKey, option.name, 0));
    }
}

TEST_F(StoreSettings, OptionThatCannotBeStoredStaysAsItWas)
{
    UseEmptyProfile();
    ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(RootKey, L"Other", 1));
    ASSERT_EQ(ERROR_SUCCESS, DenyWrites(RootKey));
    for (const Option& option : Options)
    {
        SCOPED_TRACE(testing::Message() << option.name);
        CSettings settings;
        SetAllOptions(settings, false);
        option.save(settings, true);
        EXPECT_FALSE(settings.*option.member);
        EXPECT_TRUE(IsValueAbsent(RootKey, option.name));
    }
}

TEST_F(StoreSettings, UnwritableRootLeavesFirstLaunchAndOptions)
{
    UseEmptyProfile();
    ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(RootKey, L"HideAfterLaunch", 1));
    ASSERT_EQ(ERROR_SUCCESS, DenyWrites(RootKey));
    CSettings settings;
    EXPECT_FALSE(LoadSettings(settings));
    EXPECT_TRUE(settings.m_firstLaunch);
    EXPECT_FALSE(settings.m_hideAfterLaunch);
    EXPECT_TRUE(IsValueAbsent(RootKey, L"FirstLaunch"));
}
} // namespace
