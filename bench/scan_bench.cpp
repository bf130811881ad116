// Times the running scan with 100 and 1000 entries against the same 300
// process ids and prints the ratio. The ids are this system's processes,
// repeated until there are 300: each one is opened and named again, so it
// costs what a distinct process would. A scan that compares every entry with
// every process would cost about ten times more for 1000 entries; one that
// names the entries once per scan costs about the same.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/ApplicationCategorizedList.h"
#include "catalogue/ApplicationItem.h"
#include "catalogue/Category.h"
#include "catalogue/RunningScan.h"

namespace
{
constexpr size_t ProcessCount = 300;
constexpr int Rounds = 20;

std::vector<DWORD> ThreeHundredIds()
{
    const std::vector<DWORD> running = EnumAllProcesses();
    std::vector<DWORD> ids;
    while (!running.empty() && ids.size() < ProcessCount)
        ids.push_back(running[ids.size() % running.size()]);
    return ids;
}

void Fill(CApplicationCategorizedList& list, int entries)
{
    CCategory* category = list.AddCategory(L"Bench");
    for (int i = 0; i < entries; ++i)
    {
        const std::wstring name = L"Entry " + std::to_wstring(i);
        category->m_items.push_back(std::make_unique<CApplicationItem>(
            name, category, L"C:\\Programs\\program" + std::to_wstring(i) + L".exe", L"", L"", 0,
            nullptr));
    }
}

double MillisecondsPerScan(int entries, const std::vector<DWORD>& ids)
{
    CApplicationCategorizedList list;
    Fill(list, entries);
    ScanRunningApplications(list, ids); // warm-up
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < Rounds; ++round)
        ScanRunningApplications(list, ids);
    const std::chrono::duration<double, std::milli> spent =
        std::chrono::steady_clock::now() - start;
    return spent.count() / Rounds;
}
} // namespace

int main()
{
    const std::vector<DWORD> ids = ThreeHundredIds();
    const double small = MillisecondsPerScan(100, ids);
    const double large = MillisecondsPerScan(1000, ids);
    std::printf("running scan, %zu process ids\n", ids.size());
    std::printf("%-14s %10s\n", "entries", "ms/scan");
    std::printf("%-14d %10.3f\n", 100, small);
    std::printf("%-14d %10.3f\n", 1000, large);
    std::printf("ratio 1000/100: %.2f (a per-pair scan would be near 10)\n", large / small);
    return 0;
}
