// The running scan, repeated while small programs start and end around it,
// must not keep handles, GDI or USER objects of the processes it looked at.

#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "catalogue/ApplicationCategorizedList.h"
#include "catalogue/ApplicationItem.h"
#include "catalogue/RunningScan.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/unit/StoreGenerator.h"

using test_support::RandomKeyName;
using test_support::TortureScale;

namespace
{
constexpr unsigned ChurnSeconds = 60;
constexpr std::size_t Entries = 100;
constexpr std::size_t MaxLivePrograms = 6;
// Scans before the counts are taken: the first ones fill caches of the system's.
constexpr unsigned WarmUpScans = 20;
constexpr DWORD HandleSlack = 16;
constexpr DWORD ObjectSlack = 8;
constexpr DWORD EndTimeoutMs = 30000;

std::wstring HelperPath(const wchar_t* fileName)
{
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring path = module;
    return path.substr(0, path.find_last_of(L'\\') + 1) + fileName;
}

struct ResourceCounts
{
    DWORD handles = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
};

// The system's handle table, as NtQuerySystemInformation gives it for
// SystemExtendedHandleInformation.
struct HandleEntry
{
    PVOID object;
    ULONG_PTR processId;
    ULONG_PTR handleValue;
    ULONG grantedAccess;
    USHORT creatorBackTraceIndex;
    USHORT objectTypeIndex;
    ULONG handleAttributes;
    ULONG reserved;
};

struct HandleTable
{
    ULONG_PTR count;
    ULONG_PTR reserved;
    HandleEntry entries[1];
};

constexpr ULONG SystemExtendedHandleInformation = 64;
constexpr LONG StatusInfoLengthMismatch = static_cast<LONG>(0xC0000004);

// Counted in the system's table: Wine's GetProcessHandleCount answers 0.
DWORD CountOwnHandles()
{
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<BYTE> buffer(1 << 16);
    LONG status = StatusInfoLengthMismatch;
    while (query && status == StatusInfoLengthMismatch)
    {
        buffer.resize(buffer.size() * 2);
        status = query(SystemExtendedHandleInformation, buffer.data(),
                       static_cast<ULONG>(buffer.size()), nullptr);
    }
    DWORD count = 0;
    if (!query || status < 0)
    {
        GetProcessHandleCount(GetCurrentProcess(), &count);
        return count;
    }
    const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
    for (ULONG_PTR i = 0; i < table->count; ++i)
        count += table->entries[i].processId == GetCurrentProcessId() ? 1 : 0;
    return count;
}

ResourceCounts CountResources()
{
    ResourceCounts counts;
    counts.handles = CountOwnHandles();
    counts.gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    counts.userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    return counts;
}

class ScanChurn : public testing::Test
{
protected:
    void SetUp() override
    {
        // Entries that match the churning programs, in several categories and
        // spellings, and many that match nothing.
        const wchar_t* const matching[] = {L"C:\\Tools\\launch_recorder.exe",
                                           L"D:\\Other\\LAUNCH_RECORDER.EXE",
                                           L"C:\\Windows\\system32\\cmd.exe", L"cmd.exe"};
        std::mt19937 random(Seed);
        for (int c = 0; c < 5; ++c)
            m_categories.push_back(m_list.AddCategory(L"Category " + std::to_wstring(c)));
        for (std::size_t i = 0; i < Entries; ++i)
        {
            CCategory* category = m_categories[i % m_categories.size()];
            const std::wstring path = i % 4 == 0
                                          ? matching[(i / 4) % std::size(matching)]
                                          : L"C:\\Nowhere\\" + RandomKeyName(random, 30) + L".exe";
            category->m_items.push_back(std::make_unique<CApplicationItem>(
                L"Entry " + std::to_wstring(i), category, path, L"", L"", 0, nullptr));
        }
    }

    void TearDown() override
    {
        while (!m_live.empty())
            EndOldest();
    }

    // A windowed helper that stays until ended, or a console that ends at once.
    void StartProgram(bool windowed)
    {
        std::wstring commandLine = windowed ? L"\"" + HelperPath(L"launch_recorder.exe") + L"\""
                                            : std::wstring(L"cmd.exe /c exit");
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        // Without a console: no console host outlives a console program.
        const DWORD error = test_support::StartChildProcess(nullptr, commandLine, false,
                                                            DETACHED_PROCESS, startup, process);
        ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), error);
        CloseHandle(process.hThread);
        m_live.push_back({process.hProcess, windowed});
    }

    // The console program ends by itself; the windowed one is ended.
    void EndOldest()
    {
        const LiveProgram program = m_live.front();
        m_live.pop_front();
        if (program.windowed || WaitForSingleObject(program.process, EndTimeoutMs) != WAIT_OBJECT_0)
            TerminateProcess(program.process, 0);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(program.process, EndTimeoutMs));
        CloseHandle(program.process);
    }

    void ChurnOnce(std::mt19937& random)
    {
        if (m_live.size() >= MaxLivePrograms)
            EndOldest();
        ASSERT_NO_FATAL_FAILURE(StartProgram(random() % 2 == 0));
        ScanRunningApplications(m_list, EnumAllProcesses());
    }

    void ExpectNoGrowth(const ResourceCounts& before, unsigned scans)
    {
        // The programs of the last round are ended, as they were before the count.
        while (!m_live.empty())
            EndOldest();
        const ResourceCounts after = CountResources();
        SCOPED_TRACE(testing::Message() << scans << " scans");
        EXPECT_NE(0u, before.handles) << "the handles could not be counted";
        EXPECT_LE(after.handles, before.handles + HandleSlack) << "handles " << before.handles;
        EXPECT_LE(after.gdiObjects, before.gdiObjects + ObjectSlack)
            << "GDI objects " << before.gdiObjects;
        EXPECT_LE(after.userObjects, before.userObjects + ObjectSlack)
            << "USER objects " << before.userObjects;
    }

    static constexpr unsigned Seed = 1207;
    CApplicationCategorizedList m_list;
    std::vector<CCategory*> m_categories;
    struct LiveProgram
    {
        HANDLE process;
        bool windowed;
    };
    std::deque<LiveProgram> m_live;
};

TEST_F(ScanChurn, ScansKeepNoResourcesWhileProgramsComeAndGo)
{
    std::mt19937 random(Seed);
    for (unsigned scan = 0; scan < WarmUpScans; ++scan)
        ASSERT_NO_FATAL_FAILURE(ChurnOnce(random));
    while (!m_live.empty())
        EndOldest();
    const ResourceCounts before = CountResources();
    const ULONGLONG end = GetTickCount64() + ChurnSeconds * 1000ull * TortureScale();
    unsigned scans = 0;
    for (; GetTickCount64() < end; ++scans)
        ASSERT_NO_FATAL_FAILURE(ChurnOnce(random));
    ExpectNoGrowth(before, scans);
    EXPECT_GT(scans, WarmUpScans) << "the churn ran too few scans to tell";
}

// The churn is only worth its time while the scan still sees what runs.
TEST_F(ScanChurn, ScanStillSeesAProgramAfterTheChurn)
{
    std::mt19937 random(Seed);
    for (unsigned scan = 0; scan < WarmUpScans; ++scan)
        ASSERT_NO_FATAL_FAILURE(ChurnOnce(random));
    while (!m_live.empty())
        EndOldest();
    ASSERT_NO_FATAL_FAILURE(StartProgram(true));
    ASSERT_EQ(0u, WaitForInputIdle(m_live.back().process, EndTimeoutMs));
    auto& recorder = static_cast<CApplicationItem&>(*m_categories[0]->m_items[0]);
    auto& other = static_cast<CApplicationItem&>(*m_categories[1]->m_items[0]);
    recorder.m_running = false;
    other.m_running = true;
    ScanRunningApplications(m_list, EnumAllProcesses());
    EXPECT_TRUE(recorder.m_running) << "path " << testing::PrintToString(recorder.GetPath());
    EXPECT_FALSE(other.m_running) << "path " << testing::PrintToString(other.GetPath());
}
} // namespace
