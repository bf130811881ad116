#include "catalogue/RunningScan.h"

#include <psapi.h>

#include <string>
#include <unordered_map>

#include "catalogue/ApplicationItem.h"
#include "catalogue/CategorizedList.h"
#include "catalogue/WindowFromProcessIterator.h"
#include "toolkit/Scoped.h"
#include "toolkit/Utilities.h"

namespace
{
// Device paths of programs in deep folders outgrow MAX_PATH.
constexpr DWORD ImageNameCapacity = 32768;

using ItemsByFileName = std::unordered_map<std::wstring, std::vector<CApplicationItem*>>;

// Clears the running flags and indexes the items by lower-case file name, once per scan, so
// that the scan costs one look-up per process. Items without a file name never run.
ItemsByFileName IndexApplications(CCategorizedList& applications)
{
    ItemsByFileName index;
    for (const auto& category : applications.m_categories)
    {
        for (const auto& item : category->m_items)
        {
            auto* application = dynamic_cast<CApplicationItem*>(item.get());
            if (!application)
                continue;
            application->m_running = false;
            const std::wstring fileName = GetPathFileName(application->GetPath());
            if (!fileName.empty())
                index[ToLower(fileName)].push_back(application);
        }
    }
    return index;
}

// Lower-case file name of the process's image; empty when it cannot be read. The buffer is
// shared by the whole scan.
std::wstring ProcessFileName(DWORD processId, std::wstring& buffer)
{
    const CScopedHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process)
        return std::wstring();
    const DWORD length =
        GetProcessImageFileNameW(process.Get(), &buffer[0], static_cast<DWORD>(buffer.size()));
    return ToLower(GetPathFileName(buffer.substr(0, length)));
}
} // namespace

HWND FindProcessWindow(DWORD processId)
{
    CWindowFromProcessIterator iterator(processId);
    iterator.CollectWindows();
    return iterator.GetMainWindow();
}

std::vector<DWORD> EnumAllProcesses(size_t initialCapacity)
{
    std::vector<DWORD> ids(initialCapacity > 0 ? initialCapacity : 1);
    for (;;)
    {
        const DWORD size = static_cast<DWORD>(ids.size() * sizeof(DWORD));
        DWORD used = 0;
        if (!EnumProcesses(ids.data(), size, &used))
            return std::vector<DWORD>();
        // A full buffer may have cut the list off.
        if (used < size)
        {
            ids.resize(used / sizeof(DWORD));
            return ids;
        }
        ids.resize(ids.size() * 2);
    }
}

void ScanRunningApplications(CCategorizedList& applications, const std::vector<DWORD>& processIds)
{
    const ItemsByFileName index = IndexApplications(applications);
    std::wstring buffer(ImageNameCapacity, L'\0');
    for (const DWORD processId : processIds)
    {
        const auto match = index.find(ProcessFileName(processId, buffer));
        if (match == index.end())
            continue;
        const HWND window = FindProcessWindow(processId);
        for (CApplicationItem* item : match->second)
        {
            item->m_running = true;
            item->m_processWindow = window;
        }
    }
}
