#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <string>

#include "catalogue/Catalogue.h"
#include "store/CatalogueStore.h"
#include "tests/unit/store/CatalogueStoreTest.h"

namespace
{
// A save in progress as the store leaves it: the kind keys under the staging
// key, and the completion mark once all of them are written.
const std::wstring Staging = RootPath(L"CatalogueStaging\\");
// Takes a save while the first holds a complete copy that cannot be applied.
const std::wstring SecondStaging = RootPath(L"CatalogueStaging2\\");
const wchar_t CompleteValue[] = L"Complete";

const ListContent LiveApplications = {
    {L"Tools", {{L"Editor", {L"C:\\Tools\\edit.exe", L"/n", L"C:\\Work", 0x641}}}}};
const ListContent LiveFolders = {{L"Places", {{L"Home", {L"C:\\users", L"", L"", 0}}}}};
const ListContent LiveShortcuts = {{L"Docs", {{L"Manual", {L"C:\\manual.lnk", L"", L"", 0}}}}};
const ListContent StagedApplications = {
    {L"Tools", {{L"Editor", {L"C:\\Tools\\edit2.exe", L"", L"", 0x642}}}},
    {L"Office", {{L"Writer", {L"C:\\Office\\write.exe", L"", L"", 0}}}}};

class CatalogueStoreRecovery : public CatalogueStoreTest
{
protected:
    void SetUp() override
    {
        CatalogueStoreTest::SetUp();
        WriteRawList(RootPath(ApplicationsKind), LiveApplications);
        WriteRawList(RootPath(FoldersKind), LiveFolders);
        WriteRawList(RootPath(ShortcutsKind), LiveShortcuts);
    }

    // New applications and no folders; the shortcuts are not part of the save.
    void StageSave(bool complete) const
    {
        WriteRawList(Staging + ApplicationsKind, StagedApplications);
        ASSERT_EQ(ERROR_SUCCESS, CreateRawKey(Staging + FoldersKind));
        if (complete)
        {
            ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(Staging, CompleteValue, 1));
        }
    }

    static CatalogueContent Live() { return {LiveApplications, LiveFolders, LiveShortcuts}; }
    static CatalogueContent Staged() { return {StagedApplications, {}, LiveShortcuts}; }
};

TEST_F(CatalogueStoreRecovery, IncompleteSaveIsDropped)
{
    StageSave(false);
    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), Live()));
    EXPECT_FALSE(KeyExists(Staging));
}

TEST_F(CatalogueStoreRecovery, CompleteSaveIsFinished)
{
    StageSave(true);
    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), Staged()));
    EXPECT_FALSE(KeyExists(Staging));
    EXPECT_FALSE(KeyExists(RootPath(FoldersKind)));
}

// The live keys may be half replaced when a save is cut short; the staged copy
// is applied again from the start.
TEST_F(CatalogueStoreRecovery, HalfReplacedKindIsReplacedAgain)
{
    StageSave(true);
    SHDeleteKeyW(HKEY_CURRENT_USER, RootPath(ApplicationsKind).c_str());
    ASSERT_EQ(ERROR_SUCCESS, WriteStringValue(ItemKeyPath(ApplicationsKind, L"Office", L"Writer"),
                                              L"ItemPath", L"C:\\Office\\write.exe"));
    EXPECT_TRUE(RecoverCatalogueStore());
    EXPECT_FALSE(KeyExists(Staging));
    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), Staged()));
}

// Once the mark is gone the staged copy has been applied; what is left of the
// staging key is only deleted.
TEST_F(CatalogueStoreRecovery, UnmarkedRestIsDeleted)
{
    ASSERT_EQ(ERROR_SUCCESS, CreateRawKey(Staging + L"Folders"));
    EXPECT_TRUE(RecoverCatalogueStore());
    EXPECT_FALSE(KeyExists(Staging));
    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), Live()));
}

// A save must not drop a complete staged copy that was never applied.
TEST_F(CatalogueStoreRecovery, SaveFinishesThePendingSave)
{
    StageSave(true);
    CShortcutCategorizedList shortcuts;
    Fill(shortcuts, {{L"Web", {{L"Search", {L"search.url", L"", L"", 0}}}}});
    ASSERT_TRUE(SaveShortcuts(shortcuts));
    CatalogueContent expected = Staged();
    expected.shortcuts = ContentOf(shortcuts);
    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), expected));
    EXPECT_FALSE(KeyExists(Staging));
}

TEST_F(CatalogueStoreRecovery, NothingStagedChangesNothing)
{
    const std::vector<std::wstring> before = DumpCatalogueStore();
    EXPECT_TRUE(RecoverCatalogueStore());
    EXPECT_EQ(before, DumpCatalogueStore());
}

// A volatile key cannot hold the non-volatile kind key, so the staged copy
// cannot be applied while it is there.
TEST_F(CatalogueStoreRecovery, UnfinishedRecoveryKeepsTheStagedSave)
{
    StageSave(true);
    ASSERT_EQ(ERROR_SUCCESS, MakeVolatileKey(RootPath(L"Applications")));

    EXPECT_FALSE(RecoverCatalogueStore());
    EXPECT_TRUE(IsDwordValue(Staging, CompleteValue, 1));
    // Loading takes the newest complete copy.
    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), Staged()));
    SHDeleteKeyW(HKEY_CURRENT_USER, RootPath(L"Applications").c_str());
    EXPECT_TRUE(RecoverCatalogueStore());
    EXPECT_FALSE(KeyExists(Staging));
    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), Staged()));
}
// A save writes the live lists from memory; when it cannot, its complete
// staged copy must stay, load, and be applied once the live keys can be written.
TEST_F(CatalogueStoreRecovery, SaveThatCannotWriteTheLiveListsKeepsItsStagedCopy)
{
    ASSERT_EQ(ERROR_SUCCESS, MakeVolatileKey(RootPath(L"Applications")));
    CCatalogue catalogue;
    Fill(catalogue, Staged());

    EXPECT_FALSE(SaveCatalogue(catalogue));
    EXPECT_TRUE(IsDwordValue(Staging, CompleteValue, 1));
    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), Staged()));

    // Every later save tries again: its copy, numbered one higher, goes into the staging
    // key that holds none and becomes the newest, and the older one goes.
    const CatalogueContent later[] = {
        {{{L"Games", {{L"Chess", {L"C:\\Games\\chess.exe", L"-fast", L"", 0x275}}}}},
         LiveFolders,
         {}},
        {{{L"Games", {{L"Chess", {L"C:\\Games\\chess.exe", L"", L"", 0}}}},
          {L"Office", {{L"Writer", {L"C:\\Office\\write.exe", L"", L"", 0}}}}},
         {},
         LiveShortcuts}};
    const std::wstring* const slots[] = {&SecondStaging, &Staging};
    for (DWORD save = 0; save < 2; ++save)
    {
        SCOPED_TRACE(testing::Message() << "later save " << save);
        CCatalogue changed;
        Fill(changed, later[save]);
        EXPECT_FALSE(SaveCatalogue(changed));
        EXPECT_TRUE(IsDwordValue(*slots[save], CompleteValue, save + 2));
        EXPECT_FALSE(KeyExists(*slots[1 - save]));
        EXPECT_TRUE(IsContent(LoadStoredCatalogue(), later[save]));
    }

    SHDeleteKeyW(HKEY_CURRENT_USER, RootPath(L"Applications").c_str());
    EXPECT_TRUE(RecoverCatalogueStore());
    EXPECT_FALSE(KeyExists(Staging));
    EXPECT_FALSE(KeyExists(SecondStaging));
    EXPECT_FALSE(KeyExists(RootPath(FoldersKind)));
    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), later[1]));
}

// A store with both staging keys complete, as a save cut short after marking the newer
// one leaves it: the higher number wins, whichever key holds it.
TEST_F(CatalogueStoreRecovery, HigherNumberedCompleteCopyWins)
{
    StageSave(false);
    ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(Staging, CompleteValue, 6));
    const ListContent newest = {{L"Games", {{L"Chess", {L"C:\\chess.exe", L"", L"", 0}}}}};
    WriteRawList(SecondStaging + ApplicationsKind, newest);
    ASSERT_EQ(ERROR_SUCCESS, WriteDwordValue(SecondStaging, CompleteValue, 7));
    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), {newest, LiveFolders, LiveShortcuts}));
    EXPECT_FALSE(KeyExists(Staging));
    EXPECT_FALSE(KeyExists(SecondStaging));
}
} // namespace
