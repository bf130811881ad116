// The catalogue read on a thread of its own: every stored category arrives once,
// the applications first, then the folders, then the shortcuts, with the same
// entries and values as a load on the calling thread gives.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "catalogue/Catalogue.h"
#include "store/CatalogueReader.h"
#include "store/CatalogueStore.h"
#include "tests/unit/store/CatalogueStoreTest.h"
#include "tests/unit/store/SampleCatalogue.h"

namespace
{
class CatalogueReaderTest : public CatalogueStoreTest
{
protected:
    void Store(const CatalogueContent& content) const
    {
        CCatalogue catalogue;
        Fill(catalogue, content);
        ASSERT_TRUE(SaveCatalogue(catalogue));
    }

    // Takes everything the reader gives into a fresh catalogue; kinds lists the
    // kind of each category in the order they came.
    CatalogueContent ReadAll(std::vector<ListKind>& kinds) const
    {
        CCatalogue catalogue;
        CCatalogueReader reader;
        CCatalogueReader::ReadCategory read;
        while (reader.Next(read))
        {
            kinds.push_back(read.kind);
            AddStoredCategory(catalogue.GetList(read.kind), read.kind, read.stored);
        }
        return ContentOf(catalogue);
    }
};
} // namespace

TEST_F(CatalogueReaderTest, NothingStoredEndsAtOnce)
{
    CCatalogueReader reader;
    CCatalogueReader::ReadCategory read;
    read.stored.name = L"sentinel";
    EXPECT_FALSE(reader.Next(read));
    EXPECT_EQ(L"sentinel", read.stored.name);
    EXPECT_FALSE(reader.Next(read)) << "a second request after the end";
}

TEST_F(CatalogueReaderTest, EveryCategoryArrivesOnceInTheOrderOfItsKind)
{
    CatalogueContent content = SampleCatalogue();
    content.shortcuts = {
        {L"Docs", {{L"Manual", {L"C:\\Docs\\manual.lnk", L"-p", L"C:\\", 0x0246}}}},
        {L"Notes", {}}};
    content.folders[L"More places"] = {{L"Temp", {L"C:\\windows\\temp", L"", L"", 0}}};
    ASSERT_NO_FATAL_FAILURE(Store(content));

    std::vector<ListKind> kinds;
    const CatalogueContent read = ReadAll(kinds);
    EXPECT_TRUE(IsContent(read, content));
    EXPECT_TRUE(IsContent(read, LoadStoredCatalogue()));
    const size_t applications = content.applications.size();
    const size_t folders = content.folders.size();
    std::vector<ListKind> expected(applications, ListKind::Applications);
    expected.insert(expected.end(), folders, ListKind::Folders);
    expected.insert(expected.end(), content.shortcuts.size(), ListKind::Shortcuts);
    EXPECT_EQ(expected, kinds);
}

// Many categories, so that the window thread takes some while the reading thread
// is still at work on the later ones.
TEST_F(CatalogueReaderTest, ManyCategoriesAllArrive)
{
    CatalogueContent content;
    for (int category = 0; category < 60; ++category)
        for (int entry = 0; entry < 20; ++entry)
            content.applications[L"Group " + std::to_wstring(category)]
                                [L"Entry " + std::to_wstring(entry)] = {
                L"C:\\p" + std::to_wstring(entry) + L".exe", L"", L"", 0};
    ASSERT_NO_FATAL_FAILURE(Store(content));

    std::vector<ListKind> kinds;
    EXPECT_TRUE(IsContent(ReadAll(kinds), content));
    EXPECT_EQ(60u, kinds.size());
}
