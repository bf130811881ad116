#include <gtest/gtest.h>
#include <windows.h>

#include "store/SettingsStore.h"
#include "tests/unit/store/StoreTest.h"

namespace
{
const UINT Sentinel = 0xdeadbeef;

class StoreShowWindowHotKey : public StoreTest
{
protected:
    const std::wstring m_path = RootPath(L"KeyShortcuts\\Show");
};

TEST_F(StoreShowWindowHotKey, MissingKeyLeavesTheOutputs)
{
    ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(RootKey, L"Modifiers", MOD_ALT));
    UINT modifiers = Sentinel;
    UINT key = Sentinel;
    EXPECT_FALSE(LoadShowWindowHotKey(modifiers, key));
    EXPECT_EQ(Sentinel, modifiers);
    EXPECT_EQ(Sentinel, key);
    EXPECT_FALSE(KeyExists(m_path));
}

TEST_F(StoreShowWindowHotKey, ReadsBothValues)
{
    ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(m_path, L"Modifiers", MOD_CONTROL | MOD_ALT));
    ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(m_path, L"Key", 'P'));
    UINT modifiers = Sentinel;
    UINT key = Sentinel;
    EXPECT_TRUE(LoadShowWindowHotKey(modifiers, key));
    EXPECT_EQ(static_cast<UINT>(MOD_CONTROL | MOD_ALT), modifiers);
    EXPECT_EQ(static_cast<UINT>('P'), key);
}

TEST_F(StoreShowWindowHotKey, UnreadableValueLeavesItsOutput)
{
    ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(m_path, L"Modifiers", MOD_SHIFT));
    ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(m_path, L"Key", L"P"));
    UINT modifiers = Sentinel;
    UINT key = Sentinel;
    EXPECT_TRUE(LoadShowWindowHotKey(modifiers, key));
    EXPECT_EQ(static_cast<UINT>(MOD_SHIFT), modifiers);
    EXPECT_EQ(Sentinel, key);

    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyValueW(HKEY_CURRENT_USER, m_path.c_str(), L"Modifiers"));
    modifiers = Sentinel;
    EXPECT_TRUE(LoadShowWindowHotKey(modifiers, key));
    EXPECT_EQ(Sentinel, modifiers);
}

TEST_F(StoreShowWindowHotKey, SaveCreatesTheKey)
{
    SaveShowWindowHotKey(MOD_WIN | MOD_SHIFT, VK_F12);
    EXPECT_TRUE(IsDwordValue(m_path, L"Modifiers", MOD_WIN | MOD_SHIFT));
    EXPECT_TRUE(IsDwordValue(m_path, L"Key", VK_F12));
    UINT modifiers = Sentinel;
    UINT key = Sentinel;
    EXPECT_TRUE(LoadShowWindowHotKey(modifiers, key));
    EXPECT_EQ(static_cast<UINT>(MOD_WIN | MOD_SHIFT), modifiers);
    EXPECT_EQ(static_cast<UINT>(VK_F12), key);
}

TEST_F(StoreShowWindowHotKey, SaveReplacesTheStoredHotKey)
{
    SaveShowWindowHotKey(MOD_ALT, 'A');
    SaveShowWindowHotKey(MOD_CONTROL, 'B');
    EXPECT_TRUE(IsDwordValue(m_path, L"Modifiers", MOD_CONTROL));
    EXPECT_TRUE(IsDwordValue(m_path, L"Key", 'B'));
}
} // namespace
