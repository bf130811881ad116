// Random stores, damaged in every way the registry allows, must load without a
// crash, and what was loaded must survive a save and a second load unchanged.

#include <gtest/gtest.h>
#include <windows.h>

#include <shlwapi.h>

#include <algorithm>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/ApplicationItem.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FolderItem.h"
#include "catalogue/ShortcutItem.h"
#include "store/CatalogueChange.h"
#include "store/CatalogueJournal.h"
#include "store/CatalogueStore.h"
#include "tests/support/ChildProcess.h"
#include "tests/unit/store/CatalogueStoreTest.h"
#include "tests/unit/store/EditScript.h"
#include "tests/support/unit/StoreGenerator.h"

using test_support::CaseTwin;
using test_support::GenerateStore;
using test_support::RandomCatalogueName;
using test_support::RandomKeyName;
using test_support::StoreShape;
using test_support::TortureScale;

namespace
{
constexpr unsigned BaseSeed = 20261207;
constexpr unsigned Batches = 10;
constexpr unsigned StoresPerBatch = 100;

// One list in memory order: what the views show and the next save writes.
struct OrderedEntry
{
    std::wstring name;
    StoredEntry stored;
    bool operator==(const OrderedEntry& other) const
    {
        return name == other.name && stored == other.stored;
    }
};

struct OrderedCategory
{
    std::wstring name;
    std::vector<OrderedEntry> entries;
    bool operator==(const OrderedCategory& other) const
    {
        return name == other.name && entries == other.entries;
    }
};

using OrderedList = std::vector<OrderedCategory>;

OrderedList OrderOf(const CCategorizedList& list)
{
    OrderedList ordered;
    for (const std::unique_ptr<CCategory>& category : list.m_categories)
    {
        OrderedCategory& copy = ordered.emplace_back();
        copy.name = category->m_name;
        for (const std::unique_ptr<CListItem>& item : category->m_items)
            copy.entries.push_back(
                {item->GetName(),
                 {item->GetPath(), item->GetArguments(), item->GetStartIn(), item->GetHotKey()}});
    }
    return ordered;
}

struct OrderedCatalogue
{
    OrderedList lists[3];
};

const char* const KindNames[] = {"applications", "folders", "shortcuts"};

std::string Codes(const std::wstring& text)
{
    std::ostringstream codes;
    codes << text.size() << " units:" << std::hex;
    for (std::size_t i = 0; i < std::min<std::size_t>(text.size(), 40); ++i)
        codes << ' ' << static_cast<unsigned>(text[i]);
    return codes.str();
}

std::string DescribeEntry(const OrderedEntry& entry)
{
    std::ostringstream text;
    text << "name {" << Codes(entry.name) << "} path {" << Codes(entry.stored.path)
         << "} arguments {" << Codes(entry.stored.arguments) << "} start-in {"
         << Codes(entry.stored.startIn) << "} hotkey 0x" << std::hex << entry.stored.hotKey;
    return text.str();
}

// Names the first difference, so that a failure says where to look.
testing::AssertionResult IsSameList(const OrderedList& actual, const OrderedList& expected)
{
    for (std::size_t c = 0; c < std::max(actual.size(), expected.size()); ++c)
    {
        if (c >= actual.size() || c >= expected.size())
            return testing::AssertionFailure()
                   << actual.size() << " categories, expected " << expected.size();
        if (actual[c].name != expected[c].name)
            return testing::AssertionFailure()
                   << "category " << c << " is {" << Codes(actual[c].name) << "}, expected {"
                   << Codes(expected[c].name) << "}";
        const auto& got = actual[c].entries;
        const auto& want = expected[c].entries;
        for (std::size_t e = 0; e < std::max(got.size(), want.size()); ++e)
        {
            if (e >= got.size() || e >= want.size())
                return testing::AssertionFailure() << "category " << c << " has " << got.size()
                                                   << " entries, expected " << want.size();
            if (!(got[e] == want[e]))
                return testing::AssertionFailure()
                       << "category " << c << " entry " << e << " is " << DescribeEntry(got[e])
                       << "\nexpected " << DescribeEntry(want[e]);
        }
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult IsSameCatalogue(const OrderedCatalogue& actual,
                                         const OrderedCatalogue& expected)
{
    for (int kind = 0; kind < 3; ++kind)
    {
        testing::AssertionResult result = IsSameList(actual.lists[kind], expected.lists[kind]);
        if (!result)
            return result << "\nin the " << KindNames[kind];
    }
    return testing::AssertionSuccess();
}

// As start-up does: recovery first, then the three lists in their order. The
// catalogue is gone before the caller goes on.
OrderedCatalogue LoadAsAtStartUp(bool save)
{
    RecoverCatalogueStore();
    CCatalogue catalogue;
    LoadApplications(catalogue.m_applications);
    LoadFolders(catalogue.m_folders);
    LoadShortcuts(catalogue.m_shortcuts);
    if (save)
    {
        EXPECT_TRUE(SaveCatalogue(catalogue)) << "the save reported a failure";
    }
    return {{OrderOf(catalogue.m_applications), OrderOf(catalogue.m_folders),
             OrderOf(catalogue.m_shortcuts)}};
}

class StoreTorture : public CatalogueStoreTest
{
protected:
    void RoundTripStores(unsigned batch, const StoreShape& shape)
    {
        const unsigned count = StoresPerBatch * TortureScale();
        for (unsigned index = 0; index < count && !HasFailure(); ++index)
        {
            const unsigned seed = BaseSeed + batch * count + index;
            SCOPED_TRACE(testing::Message() << "store of seed " << seed);
            RoundTripStore(seed, shape);
        }
    }

    void RoundTripStore(unsigned seed, const StoreShape& shape)
    {
        SHDeleteKeyW(HKEY_CURRENT_USER, RootKey.c_str());
        std::mt19937 random(seed);
        GenerateStore(random, shape);
        const OrderedCatalogue loaded = LoadAsAtStartUp(true);
        EXPECT_FALSE(KeyExists(RootPath(L"CatalogueStaging"))) << "a save left its staging key";
        EXPECT_TRUE(IsSameCatalogue(LoadAsAtStartUp(false), loaded));
    }
};

// Batches, each its own test process, keep every process short.
class StoreTortureBatch : public StoreTorture, public testing::WithParamInterface<unsigned>
{
};

TEST_P(StoreTortureBatch, GeneratedStoresSurviveASaveUnchanged)
{
    RoundTripStores(GetParam(), StoreShape{});
}

INSTANTIATE_TEST_SUITE_P(Seeds, StoreTortureBatch, testing::Range(0u, Batches));

std::unique_ptr<CListItem> MakeRandomEntry(int kind, const std::wstring& name, CCategory* category,
                                           std::mt19937& random)
{
    const std::wstring path = L"C:\\" + RandomKeyName(random, 30);
    if (kind == 1)
        return std::make_unique<CFolderItem>(name, category, path, nullptr);
    if (kind == 2)
        return std::make_unique<CShortcutItem>(name, category, path, L"", L"", 0, nullptr);
    return std::make_unique<CApplicationItem>(name, category, path, L"/a", L"", 0, nullptr);
}

// Through the model as the dialogs and drops do, with names that no key can hold and
// case twins, which one key would hold twice: the model must refuse both.
void BuildRandomList(std::mt19937& random, CCategorizedList& list, int kind)
{
    const unsigned categories = 1 + random() % 4;
    for (unsigned c = 0; c < categories; ++c)
    {
        const bool twin = !list.m_categories.empty() && random() % 4 == 0;
        const std::wstring name =
            twin ? CaseTwin(list.m_categories.back()->m_name) : RandomCatalogueName(random);
        CCategory* category = list.FindCategory(name);
        EXPECT_EQ(twin, category != nullptr) << "category {" << Codes(name) << "}";
        if (!category)
        {
            category = list.AddCategory(name);
            const bool storable = name.find(L'\\') == std::wstring::npos;
            EXPECT_EQ(storable, category != nullptr) << "category {" << Codes(name) << "}";
            if (!category)
                continue;
        }
        const unsigned entries = random() % 6;
        for (unsigned e = 0; e < entries; ++e)
        {
            const bool entryTwin = !category->m_items.empty() && random() % 4 == 0;
            const std::wstring entryName = entryTwin ? CaseTwin(category->m_items.back()->m_name)
                                                     : RandomCatalogueName(random);
            const bool storable = entryName.find(L'\\') == std::wstring::npos;
            EXPECT_EQ(storable && !entryTwin,
                      category->InsertItem(MakeRandomEntry(kind, entryName, category, random)))
                << "entry {" << Codes(entryName) << "}";
        }
    }
}

// What the model took is stored whole and comes back unchanged: nothing nested, merged
// or lost.
TEST_F(StoreTorture, RefusedNamesNeverReachTheStore)
{
    const unsigned count = StoresPerBatch * TortureScale();
    for (unsigned index = 0; index < count && !HasFailure(); ++index)
    {
        const unsigned seed = BaseSeed + 90000 + index;
        SCOPED_TRACE(testing::Message() << "catalogue of seed " << seed);
        SHDeleteKeyW(HKEY_CURRENT_USER, RootKey.c_str());
        std::mt19937 random(seed);
        CCatalogue catalogue;
        BuildRandomList(random, catalogue.m_applications, 0);
        BuildRandomList(random, catalogue.m_folders, 1);
        BuildRandomList(random, catalogue.m_shortcuts, 2);
        EXPECT_TRUE(SaveCatalogue(catalogue)) << "the save reported a failure";
        const OrderedCatalogue built = {{OrderOf(catalogue.m_applications),
                                         OrderOf(catalogue.m_folders),
                                         OrderOf(catalogue.m_shortcuts)}};
        EXPECT_TRUE(IsSameCatalogue(LoadAsAtStartUp(false), built));
    }
}

// Names longer than the 100 characters a save keeps.
TEST_F(StoreTorture, StoresWithOverlongNamesSurviveASaveUnchanged)
{
    StoreShape shape;
    shape.overlongNames = true;
    RoundTripStores(Batches, shape);
}
} // namespace

// --- Killed during edits ---

namespace
{
const wchar_t ScriptVariable[] = L"PATHMOOR_TEST_TORTURE_SCRIPT";
const wchar_t JournalVariable[] = L"PATHMOOR_TEST_TORTURE_JOURNAL";
const wchar_t ReadyVariable[] = L"PATHMOOR_TEST_TORTURE_READY";
constexpr unsigned ScriptSeed = 4711;
constexpr std::size_t Edits = 200;
constexpr unsigned Kills = 15;
constexpr DWORD MaxKillDelayMs = 300;
constexpr DWORD ChildTimeoutMs = 90000;
constexpr UINT KilledExitCode = 7;

CatalogueContent StartContent()
{
    CatalogueContent content;
    content.applications = {{L"Tools", {{L"Editor", {L"C:\\Tools\\edit.exe", L"/n", L"", 0x641}}}}};
    content.folders = {{L"Places", {{L"Home", {L"C:\\users", L"", L"", 0}}}}};
    return content;
}

std::wstring Variable(const wchar_t* name)
{
    std::wstring value(MAX_PATH, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, value.data(), MAX_PATH);
    value.resize(length < MAX_PATH ? length : 0);
    return value;
}

// Kept open, so that appending a line costs far less than a save and the kills
// land mostly inside saves.
class CJournal
{
public:
    explicit CJournal(const std::wstring& path)
        : m_file(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                             0, nullptr))
    {
    }
    ~CJournal() { CloseHandle(m_file); }
    CJournal(const CJournal&) = delete;
    CJournal& operator=(const CJournal&) = delete;

    bool Append(std::size_t done) const
    {
        const std::string line = std::to_string(done) + "\n";
        DWORD written = 0;
        return WriteFile(m_file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
               written == line.size();
    }

private:
    HANDLE m_file;
};

// The last edit the journal says was saved, or done when it names none later.
std::size_t LastJournalled(const std::wstring& journal, std::size_t done)
{
    HANDLE file = CreateFileW(journal.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return done;
    std::string text(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    std::istringstream lines(text.substr(0, read));
    for (std::size_t number = 0; lines >> number;)
        done = std::max(done, number);
    return done;
}

// Started by KilledDuringEdits only: loads the store as start-up does and goes
// on with the script after the edits the parent found saved.
CCatalogue* s_editedCatalogue = nullptr;
unsigned s_changeSaves = 0;

// As the main window's writer does: the change alone, or the whole catalogue.
void SaveEditedCatalogue(const CatalogueChange& change)
{
    ++s_changeSaves;
    EXPECT_TRUE(change.whole ? SaveCatalogue(*s_editedCatalogue) : WriteCatalogueChange(change))
        << "a notified change was not stored";
}

TEST(StoreTortureChild, DISABLED_EditUntilKilled)
{
    const std::wstring script = Variable(ScriptVariable);
    if (script.empty())
        GTEST_SKIP() << "started by StoreTortureKill only";
    const std::size_t done = std::stoul(script);
    const std::vector<CatalogueEdit> edits =
        MakeEditScript(ScriptSeed, Edits * TortureScale(), StartContent());
    RecoverCatalogueStore();
    CCatalogue catalogue;
    LoadApplications(catalogue.m_applications);
    LoadFolders(catalogue.m_folders);
    LoadShortcuts(catalogue.m_shortcuts);
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, Variable(ReadyVariable).c_str());
    SetEvent(ready);
    CloseHandle(ready);
    const CJournal journal(Variable(JournalVariable));
    // Stores the catalogue at every change it notifies, as the main window does.
    s_editedCatalogue = &catalogue;
    CCatalogue::SetChangeHook(SaveEditedCatalogue);
    for (std::size_t next = done; next < edits.size(); ++next)
    {
        s_changeSaves = 0;
        ApplyEdit(catalogue, edits[next]);
        // A move notified as an add and a delete would be stored twice, with the entry
        // in both categories in between.
        ASSERT_GE(1u, s_changeSaves) << "edit " << next + 1 << " was stored " << s_changeSaves
                                     << " times: " << DescribeEdit(edits[next]);
        if (s_changeSaves == 0)
        {
            ASSERT_TRUE(SaveCatalogue(catalogue)) << "edit " << next + 1;
        }
        ASSERT_TRUE(journal.Append(next + 1)) << "error " << GetLastError();
    }
    CCatalogue::SetChangeHook(nullptr);
}

// The categories of the edit's list that hold an entry of the edit's name.
std::size_t CategoriesHolding(const CatalogueContent& content, const CatalogueEdit& edit)
{
    const ListContent* lists[] = {&content.applications, &content.folders, &content.shortcuts};
    std::size_t holding = 0;
    for (const auto& category : *lists[edit.kind])
        holding += category.second.count(edit.name);
    return holding;
}

class StoreTortureKill : public CatalogueStoreTest
{
protected:
    void SetUp() override
    {
        CatalogueStoreTest::SetUp();
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        m_journal = std::wstring(folder) + L"pathmoor-torture-" +
                    std::to_wstring(GetCurrentProcessId()) + L".journal";
        m_readyName = L"PathmoorTortureReady" + std::to_wstring(GetCurrentProcessId());
        DeleteFileW(m_journal.c_str());
    }

    void TearDown() override
    {
        DeleteFileW(m_journal.c_str());
        CatalogueStoreTest::TearDown();
    }

    // Starts the child after done edits; kills it killDelay ms after it has
    // loaded the store, or lets it finish when killDelay is INFINITE.
    void RunChild(std::size_t done, DWORD killDelay)
    {
        wchar_t module[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, module, MAX_PATH);
        std::wstring commandLine = L"\"" + std::wstring(module) +
                                   L"\" --gtest_filter=StoreTortureChild.* "
                                   L"--gtest_also_run_disabled_tests";
        HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, m_readyName.c_str());
        SetEnvironmentVariableW(ScriptVariable, std::to_wstring(done).c_str());
        SetEnvironmentVariableW(JournalVariable, m_journal.c_str());
        SetEnvironmentVariableW(ReadyVariable, m_readyName.c_str());
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        const DWORD error = test_support::StartChildProcess(module, commandLine, false,
                                                            CREATE_NO_WINDOW, startup, process);
        SetEnvironmentVariableW(ScriptVariable, nullptr);
        ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), error) << "CreateProcessW failed";
        HANDLE startedOrEnded[] = {ready, process.hProcess};
        WaitForMultipleObjects(2, startedOrEnded, FALSE, ChildTimeoutMs);
        if (WaitForSingleObject(process.hProcess, killDelay) == WAIT_TIMEOUT &&
            killDelay != INFINITE)
            TerminateProcess(process.hProcess, KilledExitCode);
        WaitForSingleObject(process.hProcess, ChildTimeoutMs);
        DWORD exitCode = STILL_ACTIVE;
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        CloseHandle(ready);
        EXPECT_TRUE(exitCode == 0 || exitCode == KilledExitCode) << "child exit code " << exitCode;
    }

    // The store must be the state after the last journalled edit or after the
    // one following it; returns the number of edits the store holds.
    std::size_t CheckStore(const std::vector<CatalogueContent>& states, std::size_t journalled,
                           const std::vector<CatalogueEdit>& script)
    {
        RecoverCatalogueStore();
        const CatalogueContent loaded = LoadStoredCatalogue();
        // The edit that the kill may have cut short: a moved entry is in exactly one
        // category, whichever side of the move was stored.
        if (journalled < script.size() &&
            script[journalled].action == CatalogueEdit::Action::MoveEntry)
        {
            EXPECT_EQ(1u, CategoriesHolding(loaded, script[journalled]))
                << DescribeEdit(script[journalled]);
        }
        if (IsContent(loaded, states[journalled]))
            return journalled;
        const std::size_t next = std::min(journalled + 1, states.size() - 1);
        EXPECT_TRUE(IsContent(loaded, states[next]))
            << "neither the state after edit " << journalled << " nor the one after it";
        return next;
    }

    std::wstring m_journal;
    std::wstring m_readyName;
};

TEST_F(StoreTortureKill, StoreIsACompleteEditedCatalogueAfterEveryKill)
{
    const std::size_t count = Edits * TortureScale();
    const std::vector<CatalogueEdit> script = MakeEditScript(ScriptSeed, count, StartContent());
    std::vector<CatalogueContent> states{StartContent()};
    for (const CatalogueEdit& edit : script)
        ApplyEdit(states.emplace_back(states.back()), edit);
    {
        CCatalogue start;
        Fill(start, StartContent());
        ASSERT_TRUE(SaveCatalogue(start));
    }
    std::mt19937 random(ScriptSeed);
    std::size_t done = 0;
    unsigned savedAhead = 0;
    for (unsigned kill = 0; kill < Kills * TortureScale() && done < count; ++kill)
    {
        const DWORD delay = std::uniform_int_distribution<DWORD>(0, MaxKillDelayMs)(random);
        SCOPED_TRACE(testing::Message()
                     << "kill " << kill << " after " << delay << " ms, started after edit " << done
                     << ", seed " << ScriptSeed);
        ASSERT_NO_FATAL_FAILURE(RunChild(done, delay));
        const std::size_t journalled = LastJournalled(m_journal, done);
        SCOPED_TRACE(testing::Message()
                     << "last journalled edit " << journalled << ": "
                     << (journalled ? DescribeEdit(script[journalled - 1]) : ""));
        done = CheckStore(states, journalled, script);
        ASSERT_FALSE(HasFailure());
        savedAhead += done > journalled ? 1 : 0;
    }
    // Which way the kills fell: after a save that was not yet journalled, or
    // before a save's mark.
    RecordProperty("KillsAfterAnUnjournalledSave", static_cast<int>(savedAhead));
    ASSERT_NO_FATAL_FAILURE(RunChild(done, INFINITE));
    EXPECT_EQ(count, LastJournalled(m_journal, done));
    EXPECT_EQ(count, CheckStore(states, count, script));
}
} // namespace
