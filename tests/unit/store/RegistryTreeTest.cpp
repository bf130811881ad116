// Deleting a tree deletes leaves without looking into them once their depth
// has shown only leaves; keys that break that pattern must still go, and a
// key that cannot go must be reported.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "store/RegistryTree.h"
#include "tests/unit/store/StoreTest.h"

namespace
{
const std::wstring TreePath = RootPath(L"Tree");

// Each with a value, as entries have. Enumerated in this order: a leaf comes
// first below A, so that A's other keys are tried as leaves, and A\3 is not one.
const std::vector<std::wstring> TreeKeys = {
    L"A\\1", L"A\\2", L"A\\3\\Sub", L"A\\3\\Sub\\Deeper", L"A\\4",
    L"B",    L"C\\1", L"C\\2\\Sub", L"D\\1\\Sub\\Deeper", L"D\\2",
};

// Delete and change permissions only: what is below the key cannot be listed.
const wchar_t Unreadable[] = L"D:P(A;;SDWD;;;WD)";
const wchar_t Unlocked[] = L"D:P(A;;KA;;;WD)";

bool CanOpen(const std::wstring& path, REGSAM access)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, access, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Every key at or below path, as paths relative to it.
void CollectKeys(const std::wstring& path, const std::wstring& relative,
                 std::vector<std::wstring>& keys)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    keys.push_back(relative);
    wchar_t name[256] = {};
    for (DWORD index = 0;; ++index)
    {
        DWORD length = ARRAYSIZE(name);
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        const std::wstring child(name, length);
        CollectKeys(path + L"\\" + child, relative.empty() ? child : relative + L"\\" + child,
                    keys);
    }
    RegCloseKey(key);
}

std::size_t CountKeys(const std::wstring& path)
{
    std::vector<std::wstring> keys;
    CollectKeys(path, L"", keys);
    return keys.size();
}

// Before each write: how many keys the tree still had.
std::vector<std::size_t> s_keysAtWrite;

void RecordKeysAtWrite()
{
    s_keysAtWrite.push_back(CountKeys(TreePath));
}

class StoreRegistryTree : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        s_keysAtWrite.clear();
        for (const std::wstring& key : TreeKeys)
            ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(TreePath + L"\\" + key, L"Value", 1));
    }

    void TearDown() override
    {
        Unlock();
        StoreTest::TearDown();
    }

    void Lock(const std::wstring& key, const wchar_t* sddl)
    {
        ASSERT_EQ(ERROR_SUCCESS, SetKeySecurity(TreePath + L"\\" + key, sddl));
        m_locked.push_back(key);
    }

    // Also before looking at what is left, which locked keys would hide.
    void Unlock()
    {
        for (const std::wstring& key : m_locked)
            EXPECT_EQ(ERROR_SUCCESS, SetKeySecurity(TreePath + L"\\" + key, Unlocked));
        m_locked.clear();
    }

    static std::vector<std::wstring> RemainingKeys()
    {
        std::vector<std::wstring> keys;
        CollectKeys(TreePath, L"", keys);
        return keys;
    }

    std::vector<std::wstring> m_locked;
};

TEST_F(StoreRegistryTree, KeysWithSubkeysAmongLeavesAreDeletedToo)
{
    EXPECT_EQ(ERROR_SUCCESS, DeleteRegistryTree(HKEY_CURRENT_USER, TreePath, [] {}));
    EXPECT_FALSE(KeyExists(TreePath));
}

// A write hook must be able to end the process between any two deletions.
TEST_F(StoreRegistryTree, EachDeletionHasItsOwnHook)
{
    const std::size_t keys = CountKeys(TreePath);
    ASSERT_EQ(18u, keys);
    ASSERT_EQ(ERROR_SUCCESS, DeleteRegistryTree(HKEY_CURRENT_USER, TreePath, RecordKeysAtWrite));
    s_keysAtWrite.push_back(CountKeys(TreePath));
    ASSERT_FALSE(s_keysAtWrite.empty());
    EXPECT_EQ(keys, s_keysAtWrite.front());
    for (std::size_t write = 1; write < s_keysAtWrite.size(); ++write)
    {
        SCOPED_TRACE(testing::Message() << "write " << write);
        EXPECT_LE(s_keysAtWrite[write - 1] - s_keysAtWrite[write], 1u)
            << s_keysAtWrite[write - 1] << " keys before, " << s_keysAtWrite[write] << " after";
    }
    EXPECT_EQ(0u, s_keysAtWrite.back());
}

TEST_F(StoreRegistryTree, MissingTreeIsReportedAsMissing)
{
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              DeleteRegistryTree(HKEY_CURRENT_USER, RootPath(L"NoSuchTree"), [] {}));
}

TEST_F(StoreRegistryTree, KeyThatCannotBeListedIsReported)
{
    ASSERT_NO_FATAL_FAILURE(Lock(L"C\\2", Unreadable));
    ASSERT_FALSE(CanOpen(TreePath + L"\\C\\2", KEY_READ));
    EXPECT_EQ(ERROR_ACCESS_DENIED, DeleteRegistryTree(HKEY_CURRENT_USER, TreePath, [] {}));
    Unlock();
    const std::vector<std::wstring> expected = {L"", L"C", L"C\\2", L"C\\2\\Sub"};
    EXPECT_EQ(expected, RemainingKeys());
}
} // namespace
