#include "catalogue/NameOrder.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
std::vector<std::wstring> SortedByName(std::vector<std::wstring> names)
{
    std::sort(names.begin(), names.end(), NameLess);
    return names;
}

void ExpectEqualNames(const std::wstring& a, const std::wstring& b, bool expected, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    EXPECT_EQ(expected, NamesEqual(a, b))
        << "a=\"" << testing::PrintToString(a) << "\" b=\"" << testing::PrintToString(b) << "\"";
    EXPECT_EQ(expected, NamesEqual(b, a)) << "the other way round";
}
} // namespace

// As the registry folds key names: one key holds both names of each equal pair.
TEST(NameOrder, EqualityFoldsCaseOverAllOfUnicode)
{
    ExpectEqualNames(L"Tools", L"TOOLS", true, __LINE__);
    ExpectEqualNames(L"tools", L"tOoLs", true, __LINE__);
    ExpectEqualNames(L"", L"", true, __LINE__);
    ExpectEqualNames(L"\u00C9cole", L"\u00E9cole", true, __LINE__);
    ExpectEqualNames(L"\u00DCbung", L"\u00FCbung", true, __LINE__);
    ExpectEqualNames(L"\u03A3\u03BF\u03C6\u03AF\u03B1", L"\u03C3\u03BF\u03C6\u03AF\u03B1", true,
                     __LINE__);
    ExpectEqualNames(L"\u0416\u0443\u043A", L"\u0436\u0423\u041A", true, __LINE__);
    ExpectEqualNames(L"\uFF21", L"\uFF41", true, __LINE__); // fullwidth A and a
    ExpectEqualNames(L"\u00DCbung", L"Ubung", false, __LINE__);
    ExpectEqualNames(L"Tool", L"Tools", false, __LINE__);
    ExpectEqualNames(L"", L"a", false, __LINE__);
    // One unit folds to one: the sharp s is not "SS".
    ExpectEqualNames(L"Stra\u00DFe", L"STRASSE", false, __LINE__);
    // The letters next to A-Z in the code table are not letters; folding must not
    // mistake "[" (0x5B) for "{" (0x7B) or "@" for "`".
    ExpectEqualNames(L"[", L"{", false, __LINE__);
    ExpectEqualNames(L"@", L"`", false, __LINE__);
}

TEST(NameOrder, NamesNoKeyCanHoldAreRefused)
{
    EXPECT_EQ(0u, NameRefusal(L"Tools"));
    EXPECT_EQ(0u, NameRefusal(std::wstring(MaxStoredNameLength, L'x')));
    EXPECT_EQ(0u, NameRefusal(L"C:"));
    EXPECT_EQ(static_cast<UINT>(IDS_NAME_HAS_BACKSLASH), NameRefusal(L"Work\\Home"));
    EXPECT_EQ(static_cast<UINT>(IDS_NAME_HAS_BACKSLASH), NameRefusal(L"Trailing\\"));
    EXPECT_EQ(static_cast<UINT>(IDS_NAME_EMPTY), NameRefusal(L""));
    EXPECT_EQ(static_cast<UINT>(IDS_NAME_TOO_LONG),
              NameRefusal(std::wstring(MaxStoredNameLength + 1, L'x')));
    EXPECT_FALSE(IsStorableName(L"x\\y"));
    EXPECT_TRUE(IsStorableName(L".exe"));
}

TEST(NameOrder, CategoriesShowInLowerCaseOrder)
{
    const std::vector<std::wstring> expected = {L"A", L"b", L"c"};
    EXPECT_EQ(expected, SortedByName({L"b", L"A", L"c"}));
}

TEST(NameOrder, ItemsSortWithoutRegardToCase)
{
    const std::vector<std::wstring> expected = {L"apple", L"Mail", L"Zip"};
    EXPECT_EQ(expected, SortedByName({L"Zip", L"apple", L"Mail"}));
}

TEST(NameOrder, ProperPrefixComesFirst)
{
    EXPECT_TRUE(NameLess(L"Tool", L"tools"));
    EXPECT_FALSE(NameLess(L"tools", L"Tool"));
    EXPECT_TRUE(NameLess(L"", L"a"));
    EXPECT_FALSE(NameLess(L"a", L""));
}

TEST(NameOrder, NamesThatLowerAlikeAreNotLess)
{
    EXPECT_FALSE(NameLess(L"Tools", L"TOOLS"));
    EXPECT_FALSE(NameLess(L"TOOLS", L"Tools"));
}

TEST(NameOrder, LowerCaseOrderFoldsBeyondAscii)
{
    // CharLowerW lowers É to é (0xE9), which comes after z (0x7A).
    EXPECT_TRUE(NameLess(L"zebra", L"\u00C9cole"));
    EXPECT_TRUE(NameLess(L"\u00E9a", L"\u00C9b"));
}

TEST(NameOrder, CodeUnitsCompareUnsigned)
{
    // A unit above 0x7FFF would come first if units were compared as signed values.
    EXPECT_TRUE(NameLess(L"a", L"\uFF21"));
    EXPECT_FALSE(NameLess(L"\uFF41", L"a"));
    EXPECT_TRUE(CaseSensitiveLess(L"z", L"\u4E2D"));
}

TEST(NameOrder, InsertionOrderIsCaseSensitive)
{
    EXPECT_TRUE(CaseSensitiveLess(L"A", L"b"));
    EXPECT_TRUE(CaseSensitiveLess(L"B", L"a"));
    EXPECT_FALSE(CaseSensitiveLess(L"a", L"B"));
    EXPECT_TRUE(CaseSensitiveLess(L"Tool", L"Tools"));
    EXPECT_FALSE(CaseSensitiveLess(L"Tools", L"Tools"));
}
