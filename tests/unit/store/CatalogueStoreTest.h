#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "tests/unit/store/StoreTest.h"

class CCatalogue;
class CCategorizedList;

// What the store keeps of one entry.
struct StoredEntry
{
    std::wstring path;
    std::wstring arguments;
    std::wstring startIn;
    WORD hotKey = 0;
};

bool operator==(const StoredEntry& left, const StoredEntry& right);

// Entries by name in categories by name: the store keeps no order.
using ListContent = std::map<std::wstring, std::map<std::wstring, StoredEntry>>;

struct CatalogueContent
{
    ListContent applications;
    ListContent folders;
    ListContent shortcuts;
};

// The kind keys as the program must keep them, under the root.
inline const std::wstring ApplicationsKind = L"Applications\\Category\\";
inline const std::wstring FoldersKind = L"Folders\\Category\\";
inline const std::wstring ShortcutsKind = L"Shortcuts\\Category\\";

ListContent ContentOf(const CCategorizedList& list);
CatalogueContent ContentOf(const CCatalogue& catalogue);
// Categories and entries of the content added to the list through the model,
// without windows; a folder takes the path only.
void Fill(CCategorizedList& list, const ListContent& content);
void Fill(CCatalogue& catalogue, const CatalogueContent& content);
// The three lists loaded into a fresh catalogue, as at start-up.
CatalogueContent LoadStoredCatalogue();

testing::AssertionResult IsContent(const ListContent& actual, const ListContent& expected);
testing::AssertionResult IsContent(const CatalogueContent& actual,
                                   const CatalogueContent& expected);

// The catalogue's part of the store: the three kind keys and the staging key.
// The parents of the kind keys stay when a kind key is deleted; they hold nothing.
std::vector<std::wstring> DumpCatalogueStore();

// Under HKEY_CURRENT_USER: the key of an entry.
std::wstring ItemKeyPath(const std::wstring& kindPath, const std::wstring& category,
                         const std::wstring& item);
// The list under kindPath (under HKEY_CURRENT_USER) in the stored layout,
// written with the plain registry API.
void WriteRawList(const std::wstring& kindPath, const ListContent& content);

// Starts and ends without the program's root key and without a write hook.
class CatalogueStoreTest : public StoreTest
{
protected:
    void TearDown() override;
};
