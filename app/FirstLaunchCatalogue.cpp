#include "app/FirstLaunchCatalogue.h"

#include <shlobj.h>

#include <cwchar>
#include <memory>

#include "catalogue/ApplicationItem.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Category.h"
#include "catalogue/FolderItem.h"
#include "catalogue/ShortcutItem.h"
#include "toolkit/Application.h"
#include "toolkit/Utilities.h"
#include "shell/ShellActions.h"

namespace
{
// A scan ends once its category holds more entries than this.
constexpr size_t ScanEntryLimit = 10;

const wchar_t DisksCategory[] = L"Disks";
const wchar_t MyFoldersCategory[] = L"My folders";
const wchar_t TestDataCategory[] = L"Test data";

// The application categories in the order they are made, with the folder below a Start
// Menu that fills each.
struct StartMenuCategory
{
    const wchar_t* name;
    const wchar_t* folder;
};
const StartMenuCategory StartMenuCategories[] = {
    {L"Accessories", L"\\Programs\\Accessories\\"},
    {L"System Tools", L"\\Programs\\Accessories\\System Tools\\"},
    {L"Ease of Access", L"\\Programs\\Accessories\\Accessibility\\"},
    {L"Games", L"\\Programs\\Games\\"},
};

// The user's own Start Menu comes first, so its entries win over the shared ones.
const int StartMenus[] = {CSIDL_STARTMENU, CSIDL_COMMON_STARTMENU};

struct SpecialFolder
{
    int csidl;
    const wchar_t* name;
};
const SpecialFolder MyFolders[] = {
    {CSIDL_PERSONAL, L"My documents"},
    {CSIDL_MYMUSIC, L"My music"},
    {CSIDL_MYPICTURES, L"My pictures"},
    {CSIDL_MYVIDEO, L"My video"},
};

struct ScanRequest
{
    const std::wstring& folder;
    HWND applicationsPage;
    HWND shortcutsPage;
    bool makeShortcuts;
    bool resolveLinks;
};

struct ScanTarget
{
    std::wstring path;
    std::wstring arguments;
    std::wstring startIn;
    WORD hotKey = 0;
};

// Empty when the folder does not exist on this machine.
std::wstring GetSpecialFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    return SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE) ? std::wstring(path)
                                                                : std::wstring();
}

// A file without a point keeps its whole name: an entry without a name could not be told
// apart on screen nor stored under a key of its own.
std::wstring EntryName(const std::wstring& fileName)
{
    const std::wstring name = RemoveFileExtension(fileName);
    return name.empty() ? fileName : name;
}

bool IsDotEntry(const wchar_t* name)
{
    return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0;
}

// Only a lower-case "lnk" marks a link: a file named ".LNK" counts as no link at all.
ScanTarget ReadTarget(const std::wstring& file, bool resolveLinks)
{
    ScanTarget target;
    if (!resolveLinks)
        target.path = file;
    else if (GetFileExtension(file) == L"lnk")
    {
        target.path = file;
        ResolveShortcut(target.path, &target.hotKey, &target.arguments, &target.startIn);
    }
    return target;
}

// Null when the target is not for this kind of entry.
std::unique_ptr<CListItem> MakeEntry(const std::wstring& name, CCategory& category,
                                     const ScanTarget& target, const ScanRequest& request)
{
    if (request.makeShortcuts)
        return std::make_unique<CShortcutItem>(name, &category, target.path, target.arguments,
                                               target.startIn, target.hotKey,
                                               request.shortcutsPage);
    if (ToLower(GetFileExtension(target.path)) != L"exe")
        return nullptr;
    return std::make_unique<CApplicationItem>(name, &category, target.path, target.arguments,
                                              target.startIn, target.hotKey,
                                              request.applicationsPage);
}

// False for an entry that is passed over before it counts towards the scan's limit.
bool ScanFile(CCategory& category, const WIN32_FIND_DATAW& found, const ScanRequest& request)
{
    if (IsDotEntry(found.cFileName) || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    ScanTarget target = ReadTarget(request.folder + found.cFileName, request.resolveLinks);
    if (target.path.empty() || !FileExists(target.path))
        return false;
    // Of links that bring one combination the first found keeps it: two entries never
    // share one, and nothing of the user's is lost, since the links keep theirs.
    const CCatalogue* catalogue = CCatalogue::Current();
    if (catalogue && catalogue->FindHotKeyHolder(target.hotKey, nullptr, false))
        target.hotKey = 0;
    if (std::unique_ptr<CListItem> entry =
            MakeEntry(EntryName(found.cFileName), category, target, request))
        category.InsertItem(std::move(entry));
    return true;
}

// Into a category of that name where there is one, so that the defaults never make a
// twin of a category the catalogue has.
CCategory& CategoryNamed(CCategorizedList& list, const std::wstring& name)
{
    CCategory* category = list.FindCategory(name);
    return category ? *category : *list.AddCategory(name);
}

void AddFolderEntry(CCategory& category, const std::wstring& name, const std::wstring& path,
                    HWND foldersPane)
{
    category.InsertItem(std::make_unique<CFolderItem>(name, &category, path, foldersPane));
}

void AddStartMenuCategories(CCatalogue& catalogue, HWND applicationsPage)
{
    CCategory* categories[ARRAYSIZE(StartMenuCategories)] = {};
    for (size_t i = 0; i < ARRAYSIZE(StartMenuCategories); ++i)
        categories[i] = &CategoryNamed(catalogue.m_applications, StartMenuCategories[i].name);
    for (const int startMenu : StartMenus)
    {
        const std::wstring root = GetSpecialFolder(startMenu);
        if (root.empty())
            continue;
        for (size_t i = 0; i < ARRAYSIZE(StartMenuCategories); ++i)
            ScanFolderIntoCategory(*categories[i], root + StartMenuCategories[i].folder,
                                   applicationsPage, nullptr, false, true);
    }
}

void AddDisks(CCatalogue& catalogue, HWND foldersPane)
{
    CCategory& disks = CategoryNamed(catalogue.m_folders, DisksCategory);
    for (const std::wstring& root : GetLogicalDriveRoots())
        AddFolderEntry(disks, root.substr(0, root.size() - 1), root, foldersPane);
}

void AddMyFolders(CCatalogue& catalogue, HWND foldersPane)
{
    CCategory& myFolders = CategoryNamed(catalogue.m_folders, MyFoldersCategory);
    for (const SpecialFolder& folder : MyFolders)
    {
        const std::wstring path = GetSpecialFolder(folder.csidl);
        if (!path.empty())
            AddFolderEntry(myFolders, folder.name, path, foldersPane);
    }
}

void AddProgramFolder(CCatalogue& catalogue, HWND shortcutsPage)
{
    const std::wstring program = GetModulePath(CApplication::Instance().GetInstanceHandle());
    CCategory& testData = CategoryNamed(catalogue.m_shortcuts, TestDataCategory);
    ScanFolderIntoCategory(testData, GetPathDirectory(program), nullptr, shortcutsPage, true,
                           false);
}
} // namespace

void ScanFolderIntoCategory(CCategory& category, const std::wstring& folder, HWND applicationsPage,
                            HWND shortcutsPage, bool makeShortcuts, bool resolveLinks)
{
    const ScanRequest request = {folder, applicationsPage, shortcutsPage, makeShortcuts,
                                 resolveLinks};
    WIN32_FIND_DATAW found = {};
    const HANDLE search = FindFirstFileW((folder + L"*.*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE)
    {
        // The first entry is a file of its own in a drive's root folder, which has no ".".
        do
        {
            if (ScanFile(category, found, request) && category.m_items.size() > ScanEntryLimit)
                break;
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    category.SortItems();
}

std::vector<std::wstring> GetLogicalDriveRoots()
{
    // Each drive takes four characters, so many drives outgrow any fixed buffer; a drive
    // that arrives between the two calls makes the list longer still, so ask until it fits.
    std::vector<wchar_t> buffer(1, L'\0');
    for (;;)
    {
        const DWORD length =
            GetLogicalDriveStringsW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0)
            return {};
        if (length < buffer.size())
            break;
        buffer.assign(length + 1, L'\0');
    }
    std::vector<std::wstring> roots;
    for (const wchar_t* root = buffer.data(); *root != L'\0'; root += wcslen(root) + 1)
        roots.emplace_back(root);
    return roots;
}

bool HoldsNoStoredCategory(const CCatalogue& catalogue)
{
    return catalogue.m_applications.m_categories.empty() &&
           catalogue.m_folders.m_categories.empty() && catalogue.m_shortcuts.m_categories.empty();
}

void FillFirstLaunchCatalogue(CCatalogue& catalogue, HWND applicationsPage, HWND shortcutsPage,
                              HWND foldersPane)
{
    AddStartMenuCategories(catalogue, applicationsPage);
    AddDisks(catalogue, foldersPane);
    AddMyFolders(catalogue, foldersPane);
    AddProgramFolder(catalogue, shortcutsPage);
}
