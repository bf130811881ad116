// A save or a recovery is cut short before each of its registry writes in
// turn, by a child process (this test program again) that ends itself there;
// the parent then loads the store as start-up does.

#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "catalogue/Catalogue.h"
#include "store/CatalogueChange.h"
#include "store/CatalogueJournal.h"
#include "store/CatalogueStore.h"
#include "tests/support/ChildProcess.h"
#include "tests/unit/store/CatalogueStoreTest.h"
#include "tests/unit/store/EditScript.h"
#include "tests/unit/store/SampleCatalogue.h"
#include "toolkit/Scoped.h"

namespace
{
const wchar_t ActionVariable[] = L"PATHMOOR_TEST_CATALOGUE_CRASH_ACTION";
const wchar_t StepVariable[] = L"PATHMOOR_TEST_CATALOGUE_CRASH_STEP";
const wchar_t SaveAction[] = L"save";
const wchar_t RecoverAction[] = L"recover";
// A save that cannot replace the live lists, so it reports a failure.
const wchar_t BlockedSaveAction[] = L"blocked-save";
// One edit of the sample catalogue, stored by itself; the variable selects it.
const wchar_t EditAction[] = L"edit";
const wchar_t EditVariable[] = L"PATHMOOR_TEST_CATALOGUE_CRASH_EDIT";
constexpr UINT KilledExitCode = 3;
constexpr DWORD ChildFailed = 0xfffffff0;
constexpr DWORD ChildTimeout = 60000;
// Far more writes than the sample catalogues need; ends a runaway loop.
constexpr unsigned MaxSteps = 1000;

const std::wstring Staging = RootPath(L"CatalogueStaging\\");

// Every kind changes: entries edited, moved, added and deleted, a category
// deleted and one added, the folders emptied and the shortcuts filled.
CatalogueContent NewContent()
{
    CatalogueContent content;
    content.applications = {
        {L"Tools",
         {{L"Editor", {L"C:\\Tools\\edit2.exe", L"/n /q", L"C:\\Work", 0x642}},
          {L"Chess", {L"C:\\Games\\chess.exe", L"-fast", L"", 0x0275}}}},
        {L"Office", {{L"Writer", {L"C:\\Office\\write.exe", L"", L"D:\\", 0}}}}};
    content.shortcuts = {{L"Docs",
                          {{L"Manual", {L"C:\\Docs\\manual.lnk", L"", L"", 0x0341}},
                           {L"Notes", {L"C:\\Docs\\notes.txt", L"", L"", 0}}}}};
    return content;
}

using Action = CatalogueEdit::Action;

// Each kind of edit of the sample catalogue, letter-case renames among them.
std::vector<CatalogueEdit> SampleEdits()
{
    const StoredEntry entry = {L"C:\\Office\\write.exe", L"/q", L"D:\\", 0x0342};
    return {{Action::AddCategory, 0, L"Office", L"", L"", {}},
            {Action::RenameCategory, 0, L"Tools", L"", L"Utilities", {}},
            {Action::RenameCategory, 0, L"Games", L"", L"games", {}},
            {Action::DeleteCategory, 0, L"Tools", L"", L"", {}},
            {Action::AddEntry, 0, L"Games", L"Writer", L"", entry},
            {Action::EditEntry, 0, L"Tools", L"Editor", L"", entry},
            {Action::MoveEntry, 0, L"Tools", L"Editor", L"Games", {}},
            {Action::DeleteEntry, 1, L"Places", L"Home", L"", {}}};
}

CatalogueChange s_change;

void KeepChange(const CatalogueChange& change)
{
    s_change = change;
}

std::wstring EnvironmentValue(const wchar_t* name)
{
    wchar_t value[64] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, ARRAYSIZE(value));
    return length < ARRAYSIZE(value) ? std::wstring(value, length) : std::wstring();
}

// --- The child ---

unsigned s_writes = 0;
unsigned s_killAt = 0;

void CountWriteAndKill()
{
    if (++s_writes == s_killAt)
        TerminateProcess(GetCurrentProcess(), KilledExitCode);
}

// Started only by the tests below; a plain run skips it.
TEST(CatalogueStoreCrashChild, DISABLED_RunUntilKilled)
{
    const std::wstring action = EnvironmentValue(ActionVariable);
    if (action.empty())
        GTEST_SKIP() << "started by the CatalogueStoreCrash tests only";
    CCatalogue catalogue;
    s_killAt = static_cast<unsigned>(std::stoul(EnvironmentValue(StepVariable)));
    if (action == EditAction)
    {
        Fill(catalogue, SampleCatalogue());
        CCatalogue::SetChangeHook(KeepChange);
        ApplyEdit(catalogue, SampleEdits()[std::stoul(EnvironmentValue(EditVariable))]);
        CCatalogue::SetChangeHook(nullptr);
        SetCatalogueWriteHook(CountWriteAndKill);
        EXPECT_TRUE(WriteCatalogueChange(s_change));
        SetCatalogueWriteHook(nullptr);
        return;
    }
    Fill(catalogue, NewContent());
    SetCatalogueWriteHook(CountWriteAndKill);
    const bool done = action == RecoverAction ? RecoverCatalogueStore() : SaveCatalogue(catalogue);
    SetCatalogueWriteHook(nullptr);
    EXPECT_EQ(action != BlockedSaveAction, done);
}

// Runs the child's action, ended before its write number step; its exit code,
// KilledExitCode when it got that far, 0 when the action finished before.
DWORD RunChild(const wchar_t* action, unsigned step, unsigned edit = 0)
{
    SetEnvironmentVariableW(EditVariable, std::to_wstring(edit).c_str());
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(module) +
                               L"\" --gtest_filter=CatalogueStoreCrashChild.* "
                               L"--gtest_also_run_disabled_tests";
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    CScopedHandle nul(CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  &inheritable, OPEN_EXISTING, 0, nullptr));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = nul.Get();
    startup.hStdError = nul.Get();
    PROCESS_INFORMATION process = {};
    SetEnvironmentVariableW(ActionVariable, action);
    SetEnvironmentVariableW(StepVariable, std::to_wstring(step).c_str());
    const DWORD error =
        test_support::StartChildProcess(module, commandLine, true, 0, startup, process);
    SetEnvironmentVariableW(ActionVariable, nullptr);
    SetEnvironmentVariableW(StepVariable, nullptr);
    SetEnvironmentVariableW(EditVariable, nullptr);
    if (error != ERROR_SUCCESS)
    {
        ADD_FAILURE() << "CreateProcessW failed with " << error;
        return ChildFailed;
    }
    CScopedHandle processHandle(process.hProcess);
    CScopedHandle threadHandle(process.hThread);
    if (WaitForSingleObject(process.hProcess, ChildTimeout) != WAIT_OBJECT_0)
    {
        TerminateProcess(process.hProcess, ChildFailed);
        ADD_FAILURE() << "the child did not end";
        return ChildFailed;
    }
    DWORD exitCode = ChildFailed;
    GetExitCodeProcess(process.hProcess, &exitCode);
    return exitCode;
}

// --- The parent ---

unsigned s_countedWrites = 0;
unsigned s_firstWriteAfterMark = 0;

bool IsStagingMarked()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Staging.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    const bool marked =
        RegQueryValueExW(key, L"Complete", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return marked;
}

void CountWriteAndWatchMark()
{
    ++s_countedWrites;
    if (s_firstWriteAfterMark == 0 && IsStagingMarked())
        s_firstWriteAfterMark = s_countedWrites;
}

class CatalogueStoreCrash : public CatalogueStoreTest
{
protected:
    void SetUp() override
    {
        CatalogueStoreTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(StoreOnly(NewContent()));
        m_newStore = DumpCatalogueStore();
        ASSERT_NO_FATAL_FAILURE(StoreOld());
        m_oldStore = DumpCatalogueStore();
        ASSERT_NE(m_oldStore, m_newStore);
        ASSERT_NO_FATAL_FAILURE(CountSaveWrites());
    }

    static void StoreOnly(const CatalogueContent& content)
    {
        SHDeleteKeyW(HKEY_CURRENT_USER, RootPath().c_str());
        CCatalogue catalogue;
        Fill(catalogue, content);
        ASSERT_TRUE(SaveCatalogue(catalogue));
    }

    static void StoreOld() { StoreOnly(SampleCatalogue()); }

    // The old catalogue as the complete staged copy of a save that could not replace the
    // live lists: a volatile key cannot hold the non-volatile kind key below it.
    static void StoreOldBlocked()
    {
        SHDeleteKeyW(HKEY_CURRENT_USER, RootPath().c_str());
        ASSERT_EQ(ERROR_SUCCESS, CreateRawKey(RootPath()));
        ASSERT_EQ(ERROR_SUCCESS, MakeVolatileKey(RootPath(L"Applications")));
        CCatalogue catalogue;
        Fill(catalogue, SampleCatalogue());
        ASSERT_FALSE(SaveCatalogue(catalogue));
        ASSERT_TRUE(IsStagingMarked());
    }

    // Saves the new catalogue over the old one in this process, counting the
    // writes and noting the first after the staging key was marked complete.
    void CountSaveWrites()
    {
        CCatalogue catalogue;
        Fill(catalogue, NewContent());
        s_countedWrites = 0;
        s_firstWriteAfterMark = 0;
        SetCatalogueWriteHook(CountWriteAndWatchMark);
        ASSERT_TRUE(SaveCatalogue(catalogue));
        SetCatalogueWriteHook(nullptr);
        m_saveWrites = s_countedWrites;
        m_firstWriteAfterMark = s_firstWriteAfterMark;
        ASSERT_GT(m_firstWriteAfterMark, 1u);
        ASSERT_LT(m_firstWriteAfterMark, m_saveWrites);
        ASSERT_NO_FATAL_FAILURE(StoreOld());
    }

    // Loads as start-up does, with its recovery, and compares with the old or
    // the new catalogue, loaded and as stored.
    void ExpectStore(bool expectNew) const
    {
        const CatalogueContent loaded = LoadStoredCatalogue();
        EXPECT_TRUE(IsContent(loaded, expectNew ? NewContent() : SampleCatalogue()));
        EXPECT_EQ(expectNew ? m_newStore : m_oldStore, DumpCatalogueStore());
    }

    std::vector<std::wstring> m_oldStore;
    std::vector<std::wstring> m_newStore;
    unsigned m_saveWrites = 0;
    unsigned m_firstWriteAfterMark = 0;
};

TEST_F(CatalogueStoreCrash, SaveCutShortAtEveryWrite)
{
    unsigned step = 1;
    for (; step <= MaxSteps; ++step)
    {
        SCOPED_TRACE(testing::Message()
                     << "save ended before write " << step << " of " << m_saveWrites
                     << ", the mark is write " << m_firstWriteAfterMark - 1);
        ASSERT_NO_FATAL_FAILURE(StoreOld());
        const DWORD exitCode = RunChild(SaveAction, step);
        if (exitCode == 0)
            break;
        ASSERT_EQ(KilledExitCode, exitCode);
        ExpectStore(step >= m_firstWriteAfterMark);
        if (HasFailure())
            return;
    }
    EXPECT_EQ(m_saveWrites + 1, step) << "the child's save took another number of writes";
    ExpectStore(true);
}

// While the live lists cannot be replaced, a save goes beside the complete copy that
// waits: cut short anywhere, the store loads the whole old or the whole new catalogue,
// and the old one never comes back once the new one was complete.
TEST_F(CatalogueStoreCrash, SaveBesideABlockedCopyCutShortAtEveryWrite)
{
    bool sawNew = false;
    unsigned step = 1;
    for (; step <= MaxSteps; ++step)
    {
        SCOPED_TRACE(testing::Message() << "save ended before write " << step);
        ASSERT_NO_FATAL_FAILURE(StoreOldBlocked());
        const DWORD exitCode = RunChild(BlockedSaveAction, step);
        if (exitCode == 0)
            break;
        ASSERT_EQ(KilledExitCode, exitCode);
        const CatalogueContent loaded = LoadStoredCatalogue();
        const bool isNew = IsContent(loaded, NewContent());
        EXPECT_TRUE(isNew || IsContent(loaded, SampleCatalogue()))
            << "neither the old nor the new catalogue";
        EXPECT_TRUE(isNew || !sawNew) << "the old catalogue came back";
        sawNew = sawNew || isNew;
        if (HasFailure())
            return;
    }
    EXPECT_TRUE(sawNew) << "no kill left the new catalogue";
    EXPECT_LT(step, MaxSteps) << "the save never ended";
    EXPECT_TRUE(IsContent(LoadStoredCatalogue(), NewContent()));
}

TEST_F(CatalogueStoreCrash, RecoveryCutShortAtEveryWrite)
{
    // Ended after the mark and the first replacing write: the live keys are
    // half replaced, and only recovery can complete them.
    const unsigned savedUntil = m_firstWriteAfterMark + 1;
    // Recovery starts the replacement over, less the one removal of a live key
    // the cut-short save already made.
    const unsigned recoveryWrites = m_saveWrites - m_firstWriteAfterMark;
    unsigned step = 1;
    for (; step <= MaxSteps; ++step)
    {
        SCOPED_TRACE(testing::Message() << "recovery ended before write " << step);
        ASSERT_NO_FATAL_FAILURE(StoreOld());
        ASSERT_EQ(KilledExitCode, RunChild(SaveAction, savedUntil));
        ASSERT_TRUE(IsStagingMarked());
        const DWORD exitCode = RunChild(RecoverAction, step);
        if (exitCode == 0)
            break;
        ASSERT_EQ(KilledExitCode, exitCode);
        ExpectStore(true);
        if (HasFailure())
            return;
    }
    EXPECT_EQ(recoveryWrites + 1, step) << "the child's recovery took another number of writes";
    ExpectStore(true);
}
// An edit stores only what it changed. Cut short before any of its writes, the store
// loads, and holds, either the catalogue before it or the one after it, never a mix,
// and never the old one once the new one was seen.
TEST_F(CatalogueStoreCrash, EditCutShortAtEveryWrite)
{
    const std::vector<CatalogueEdit> edits = SampleEdits();
    for (unsigned edit = 0; edit < edits.size(); ++edit)
    {
        SCOPED_TRACE(DescribeEdit(edits[edit]));
        CatalogueContent edited = SampleCatalogue();
        ApplyEdit(edited, edits[edit]);
        ASSERT_NO_FATAL_FAILURE(StoreOnly(edited));
        const std::vector<std::wstring> editedStore = DumpCatalogueStore();
        bool sawNew = false;
        unsigned step = 1;
        for (; step <= MaxSteps; ++step)
        {
            SCOPED_TRACE(testing::Message() << "edit ended before write " << step);
            ASSERT_NO_FATAL_FAILURE(StoreOld());
            const DWORD exitCode = RunChild(EditAction, step, edit);
            if (exitCode == 0)
                break;
            ASSERT_EQ(KilledExitCode, exitCode);
            const CatalogueContent loaded = LoadStoredCatalogue();
            const bool isNew = IsContent(loaded, edited);
            EXPECT_TRUE(isNew || IsContent(loaded, SampleCatalogue()))
                << "neither the old nor the edited catalogue";
            EXPECT_TRUE(isNew || !sawNew) << "the old catalogue came back";
            EXPECT_EQ(isNew ? editedStore : m_oldStore, DumpCatalogueStore());
            sawNew = sawNew || isNew;
            if (HasFailure())
                return;
        }
        EXPECT_GT(step, 2u) << "the edit wrote nothing";
        EXPECT_LT(step, MaxSteps) << "the edit never ended";
        EXPECT_EQ(editedStore, DumpCatalogueStore()) << "after the whole edit";
    }
}
} // namespace
