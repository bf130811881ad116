// Saving and loading 2000 entries through the store against the floor: the
// same keys and values written and read with bare registry calls, the old
// tree deleted first as a save that replaces the lists must. The store's save
// stages a complete copy beside the live lists and renames it in their place,
// so that a save cut short never leaves half a catalogue.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/floor/BenchSupport.h"
#include "catalogue/ApplicationCategorizedList.h"
#include "catalogue/ApplicationItem.h"
#include "catalogue/Category.h"
#include "store/CatalogueStore.h"
#include "store/RegistryNames.h"

namespace
{
constexpr int Entries = 2000;
constexpr int Rounds = 5;
constexpr double SaveGoal = 1.5;
constexpr double LoadGoal = 1.0;
const wchar_t FloorPath[] = L"Software\\Quillbrook\\PathmoorBenchFloor\\Category";

void Fill(CApplicationCategorizedList& list)
{
    for (int index = 0; index < Entries; ++index)
    {
        CCategory* category =
            list.AddCategory(bench::CategoryName(index / bench::EntriesPerCategory));
        category->InsertItem(std::make_unique<CApplicationItem>(
            bench::EntryName(index), category, bench::EntryPath(), L"", L"", 0, nullptr));
    }
}

std::wstring QueryString(HKEY key, const wchar_t* name)
{
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return L"";
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value.data()), &size);
    value.resize(size / sizeof(wchar_t));
    return value;
}

HKEY CreateKey(HKEY parent, const std::wstring& path)
{
    HKEY key = nullptr;
    RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    return key;
}

HKEY OpenKey(HKEY parent, const std::wstring& path)
{
    HKEY key = nullptr;
    RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &key);
    return key;
}

void FloorWriteEntry(HKEY category, int index)
{
    bench::WriteBareEntry(category, bench::EntryName(index));
}

void FloorSave()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, FloorPath);
    const HKEY root = CreateKey(HKEY_CURRENT_USER, FloorPath);
    for (int category = 0; category < bench::CategoryCount(Entries); ++category)
    {
        const HKEY key = CreateKey(root, bench::CategoryName(category));
        const int first = category * bench::EntriesPerCategory;
        for (int index = first; index < first + bench::EntriesPerCategory && index < Entries;
             ++index)
            FloorWriteEntry(key, index);
        RegCloseKey(key);
    }
    RegCloseKey(root);
}

// Returns the entries read, so that the reads cannot be left out.
size_t FloorLoad()
{
    size_t read = 0;
    const HKEY root = OpenKey(HKEY_CURRENT_USER, FloorPath);
    for (const std::wstring& categoryName : bench::SubkeyNames(root))
    {
        const HKEY category = OpenKey(root, categoryName);
        for (const std::wstring& entryName : bench::SubkeyNames(category))
        {
            const HKEY entry = OpenKey(category, entryName);
            read += QueryString(entry, ItemPathValue).empty() ? 0 : 1;
            QueryString(entry, ArgumentsValue);
            QueryString(entry, StartInValue);
            DWORD hotKey = 0;
            DWORD size = sizeof(hotKey);
            RegQueryValueExW(entry, HotKeyValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&hotKey),
                             &size);
            RegCloseKey(entry);
        }
        RegCloseKey(category);
    }
    RegCloseKey(root);
    return read;
}

size_t StoreLoad()
{
    CApplicationCategorizedList list;
    LoadApplications(list);
    size_t read = 0;
    for (const auto& category : list.m_categories)
        read += category->m_items.size();
    return read;
}

template <typename Action> double MedianMilliseconds(Action action)
{
    std::vector<double> spent;
    for (int round = 0; round < Rounds; ++round)
    {
        const LARGE_INTEGER start = bench::Now();
        action();
        spent.push_back(bench::MillisecondsSince(start));
    }
    return bench::Median(spent);
}

// A load that misses entries would look fast; it is reported instead.
void CheckLoaded(const char* who, size_t read)
{
    if (read != Entries)
        std::printf("%s read %zu of %d entries\n", who, read, Entries);
}
} // namespace

int main()
{
    bench::DeleteProgramRoot();
    CApplicationCategorizedList list;
    Fill(list);
    const double save = MedianMilliseconds([&list] { SaveApplications(list); });
    const double floorSave = MedianMilliseconds(FloorSave);
    const double load = MedianMilliseconds([] { CheckLoaded("store", StoreLoad()); });
    const double floorLoad = MedianMilliseconds([] { CheckLoaded("floor", FloorLoad()); });
    bench::PrintTableHeader();
    bench::PrintTableRow("save 2000 entries (ms)", save, floorSave, SaveGoal);
    bench::PrintTableRow("load 2000 entries (ms)", load, floorLoad, LoadGoal);
    bench::DeleteProgramRoot();
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quillbrook\\PathmoorBenchFloor");
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Quillbrook\\PathmoorBenchFloor");
    return 0;
}
