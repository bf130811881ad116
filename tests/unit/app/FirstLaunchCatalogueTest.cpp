#include "app/FirstLaunchCatalogue.h"

#include "catalogue/ApplicationItem.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FolderItem.h"
#include "catalogue/ShortcutItem.h"
#include "tests/support/unit/HostWindow.h"
#include "tests/support/unit/ScratchFolder.h"
#include "tests/support/unit/ShellLinkFile.h"
#include "toolkit/Scoped.h"
#include "toolkit/Utilities.h"
#include "views/ListItemWindow.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using test_support::CHostWindow;
using test_support::CScratchFolder;
using test_support::SaveShellLink;

namespace
{
constexpr WORD CtrlAltF22 = MAKEWORD(VK_F22, HOTKEYF_CONTROL | HOTKEYF_ALT);

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

std::wstring SpecialFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    return SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE) ? path : L"";
}

// Files and folders made for one test, removed again in reverse order; folders that were
// there before are left alone.
class CMadeFiles
{
public:
    CMadeFiles() = default;
    CMadeFiles(const CMadeFiles&) = delete;
    CMadeFiles& operator=(const CMadeFiles&) = delete;
    ~CMadeFiles() { RemoveAll(); }

    void MakeFolder(const std::wstring& path)
    {
        const std::wstring folder = path.substr(0, path.find_last_not_of(L'\\') + 1);
        for (size_t backslash = folder.find(L'\\', 3);;
             backslash = folder.find(L'\\', backslash + 1))
        {
            const std::wstring level = folder.substr(0, backslash);
            if (CreateDirectoryW(level.c_str(), nullptr))
                m_folders.push_back(level);
            if (backslash == std::wstring::npos)
                break;
        }
    }

    // Saves a shell link the way the shell makes one, with the folders above it.
    void MakeLink(const std::wstring& linkPath, const test_support::CLinkValues& values, int line)
    {
        MakeFolder(GetPathDirectory(linkPath));
        SaveShellLink(linkPath, values, line);
        m_files.push_back(linkPath);
    }

    // The shell may still be reading a new link in the Start Menu; a link left behind
    // would fail every later test here, so this test reports it instead.
    void RemoveAll()
    {
        for (auto file = m_files.rbegin(); file != m_files.rend(); ++file)
        {
            DWORD error = ERROR_SUCCESS;
            for (int attempt = 0; attempt < 250; ++attempt, Sleep(20))
            {
                error = DeleteFileW(file->c_str()) ? ERROR_SUCCESS : GetLastError();
                if (error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND)
                    break;
            }
            EXPECT_TRUE(error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND)
                << "cannot delete " << Narrow(*file) << ": error " << error;
        }
        for (auto folder = m_folders.rbegin(); folder != m_folders.rend(); ++folder)
            RemoveDirectoryW(folder->c_str());
        m_files.clear();
        m_folders.clear();
    }

private:
    std::vector<std::wstring> m_files;
    std::vector<std::wstring> m_folders;
};

// Names of the files (not folders) in a folder.
std::vector<std::wstring> FilesIn(const std::wstring& folder)
{
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW found = {};
    const HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    do
    {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return files;
}

std::vector<std::wstring> CategoryNames(const CCategorizedList& list)
{
    std::vector<std::wstring> names;
    for (const auto& category : list.m_categories)
        names.push_back(category->m_name);
    std::sort(names.begin(), names.end());
    return names;
}

// The letters no drive uses, from Z down.
std::vector<wchar_t> FreeDriveLetters()
{
    std::vector<wchar_t> letters;
    const DWORD used = GetLogicalDrives();
    for (wchar_t letter = L'Z'; letter >= L'A'; --letter)
        if (!(used & (1u << (letter - L'A'))))
            letters.push_back(letter);
    return letters;
}

// Drive letters defined for one test, pointing at a folder, removed at the end.
class CScratchDrives
{
public:
    CScratchDrives() = default;
    CScratchDrives(const CScratchDrives&) = delete;
    CScratchDrives& operator=(const CScratchDrives&) = delete;
    ~CScratchDrives()
    {
        for (const std::wstring& drive : m_drives)
            DefineDosDeviceW(DDD_REMOVE_DEFINITION, drive.c_str(), nullptr);
    }

    bool Define(wchar_t letter, const std::wstring& target)
    {
        const std::wstring drive = std::wstring(1, letter) + L":";
        if (!DefineDosDeviceW(0, drive.c_str(), target.c_str()))
            return false;
        m_drives.push_back(drive);
        return true;
    }

private:
    std::vector<std::wstring> m_drives;
};

const wchar_t* const StartMenuFolders[] = {
    L"\\Programs\\Accessories\\",
    L"\\Programs\\Accessories\\System Tools\\",
    L"\\Programs\\Accessories\\Accessibility\\",
    L"\\Programs\\Games\\",
};

class FirstLaunchCatalogueTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CListItemWindow::RegisterListItemClass();
        m_catalogue.m_applications.m_parentWindow = m_applicationsPage.GetHwnd();
        m_catalogue.m_shortcuts.m_parentWindow = m_shortcutsPage.GetHwnd();
        m_catalogue.m_folders.m_parentWindow = m_foldersPane.GetHwnd();
        m_userStartMenu = SpecialFolder(CSIDL_STARTMENU);
        m_commonStartMenu = SpecialFolder(CSIDL_COMMON_STARTMENU);
        ASSERT_FALSE(m_userStartMenu.empty());
        ASSERT_FALSE(m_commonStartMenu.empty());
        // Entries of the machine's own would change every count below.
        for (const std::wstring& root : {m_userStartMenu, m_commonStartMenu})
            for (const wchar_t* folder : StartMenuFolders)
                ASSERT_TRUE(FilesIn(root + folder).empty())
                    << "the Start Menu already has files in " << Narrow(root + folder);
    }

    void TearDown() override { m_made.RemoveAll(); }

    void Fill()
    {
        FillFirstLaunchCatalogue(m_catalogue, m_applicationsPage.GetHwnd(),
                                 m_shortcutsPage.GetHwnd(), m_foldersPane.GetHwnd());
    }

    CCategory& Category(CCategorizedList& list, const std::wstring& name)
    {
        CCategory* category = list.FindCategory(name);
        EXPECT_NE(nullptr, category) << "no category " << Narrow(name);
        return category ? *category : m_missing;
    }

    // A link in a Start Menu folder to an existing program of the scratch folder.
    std::wstring LinkToProgram(const std::wstring& linkPath, const std::wstring& program, int line)
    {
        const std::wstring target = m_scratch.MakeFile(program);
        m_made.MakeLink(linkPath, {target, L"", L"", 0}, line);
        return target;
    }

    CHostWindow m_applicationsPage{RECT{0, 0, 300, 200}};
    CHostWindow m_shortcutsPage{RECT{300, 0, 600, 200}};
    CHostWindow m_foldersPane{RECT{600, 0, 750, 200}};
    CCatalogue m_catalogue;
    // Stands in for a category that is not there, so the checks can go on.
    CCategory m_missing{L"", nullptr};
    CScratchFolder m_scratch;
    CMadeFiles m_made;
    std::wstring m_userStartMenu;
    std::wstring m_commonStartMenu;
};

::testing::AssertionResult HasEntry(const CCategory& category, const std::wstring& name,
                                    const std::wstring& path)
{
    const int index = category.FindItemIndex(name);
    if (index == -1)
        return ::testing::AssertionFailure()
               << "no entry " << Narrow(name) << " in " << Narrow(category.m_name);
    const std::wstring actual = category.m_items[index]->GetPath();
    if (actual != path)
        return ::testing::AssertionFailure()
               << Narrow(name) << " has the path " << Narrow(actual) << ", not " << Narrow(path);
    return ::testing::AssertionSuccess();
}
} // namespace

TEST_F(FirstLaunchCatalogueTest, EmptyStartMenusStillGiveEveryCategory)
{
    Fill();
    EXPECT_EQ(
        (std::vector<std::wstring>{L"Accessories", L"Ease of Access", L"Games", L"System Tools"}),
        CategoryNames(m_catalogue.m_applications));
    EXPECT_EQ((std::vector<std::wstring>{L"Disks", L"My folders"}),
              CategoryNames(m_catalogue.m_folders));
    EXPECT_EQ(std::vector<std::wstring>{L"Test data"}, CategoryNames(m_catalogue.m_shortcuts));
    for (const auto& category : m_catalogue.m_applications.m_categories)
    {
        EXPECT_TRUE(category->m_items.empty()) << Narrow(category->m_name);
        ASSERT_NE(nullptr, category->m_window);
        EXPECT_EQ(m_applicationsPage.GetHwnd(), GetParent(category->m_window->GetHwnd()));
    }
}

// A catalogue that has categories of those names keeps them, with their entries, and gets
// no twin beside them.
TEST_F(FirstLaunchCatalogueTest, DefaultsGoIntoCategoriesOfTheSameName)
{
    CCategory* games = m_catalogue.m_applications.AddCategory(L"GAMES");
    ASSERT_NE(nullptr, games);
    ASSERT_TRUE(games->InsertItem(std::make_unique<CApplicationItem>(
        L"Chess", games, L"C:\\chess.exe", L"", L"", 0, m_applicationsPage.GetHwnd())));
    ASSERT_NE(nullptr, m_catalogue.m_folders.AddCategory(L"disks"));
    Fill();
    EXPECT_EQ(
        (std::vector<std::wstring>{L"Accessories", L"Ease of Access", L"GAMES", L"System Tools"}),
        CategoryNames(m_catalogue.m_applications));
    EXPECT_EQ((std::vector<std::wstring>{L"My folders", L"disks"}),
              CategoryNames(m_catalogue.m_folders));
    EXPECT_TRUE(Category(m_catalogue.m_applications, L"Games").HasItem(L"Chess"));
    EXPECT_FALSE(Category(m_catalogue.m_folders, L"Disks").m_items.empty());
}

TEST_F(FirstLaunchCatalogueTest, LinkToProgramGivesEntryWithTheLinksValues)
{
    const std::wstring target = m_scratch.MakeFile(L"Tools\\editor.exe");
    const std::wstring workingFolder = m_scratch.MakeFolder(L"Work");
    m_made.MakeLink(m_userStartMenu + L"\\Programs\\Accessories\\Notepad.lnk",
                    {target, L"-n \"a b\"", workingFolder, CtrlAltF22}, __LINE__);
    Fill();
    CCategory& accessories = Category(m_catalogue.m_applications, L"Accessories");
    ASSERT_EQ(1u, accessories.m_items.size());
    const auto* entry = dynamic_cast<CApplicationItem*>(accessories.m_items[0].get());
    ASSERT_NE(nullptr, entry) << "not an application entry";
    EXPECT_EQ(L"Notepad", entry->m_name);
    EXPECT_EQ(target, entry->m_path);
    EXPECT_EQ(L"-n \"a b\"", entry->m_arguments);
    EXPECT_EQ(workingFolder, entry->m_startIn);
    EXPECT_EQ(CtrlAltF22, entry->m_hotKey) << std::hex << "hotkey 0x" << entry->m_hotKey;
    EXPECT_EQ(&accessories, entry->m_category);
    ASSERT_NE(nullptr, entry->m_window);
    EXPECT_EQ(m_applicationsPage.GetHwnd(), GetParent(entry->m_window->GetHwnd()));
}

TEST_F(FirstLaunchCatalogueTest, SubFoldersFillTheirOwnCategories)
{
    const std::wstring accessories = m_userStartMenu + L"\\Programs\\Accessories\\";
    const std::wstring tools =
        LinkToProgram(accessories + L"System Tools\\Cleaner.lnk", L"cleaner.exe", __LINE__);
    const std::wstring magnifier =
        LinkToProgram(accessories + L"Accessibility\\Magnifier.lnk", L"magnify.exe", __LINE__);
    const std::wstring game =
        LinkToProgram(m_commonStartMenu + L"\\Programs\\Games\\Cards.lnk", L"cards.exe", __LINE__);
    Fill();
    EXPECT_TRUE(HasEntry(Category(m_catalogue.m_applications, L"System Tools"), L"Cleaner", tools));
    EXPECT_TRUE(
        HasEntry(Category(m_catalogue.m_applications, L"Ease of Access"), L"Magnifier", magnifier));
    EXPECT_TRUE(HasEntry(Category(m_catalogue.m_applications, L"Games"), L"Cards", game));
    EXPECT_TRUE(Category(m_catalogue.m_applications, L"Accessories").m_items.empty())
        << "the sub-folders' links are not the folder's own";
}

TEST_F(FirstLaunchCatalogueTest, LinkToDocumentGivesNoEntry)
{
    const std::wstring document = m_scratch.MakeFile(L"readme.txt");
    m_made.MakeLink(m_userStartMenu + L"\\Programs\\Accessories\\Readme.lnk",
                    {document, L"", L"", 0}, __LINE__);
    Fill();
    EXPECT_TRUE(Category(m_catalogue.m_applications, L"Accessories").m_items.empty());
}

TEST_F(FirstLaunchCatalogueTest, CapitalisedLinkExtensionIsNoLink)
{
    LinkToProgram(m_userStartMenu + L"\\Programs\\Accessories\\Shouting.LNK", L"shout.exe",
                  __LINE__);
    const std::wstring quiet = LinkToProgram(
        m_userStartMenu + L"\\Programs\\Accessories\\Quiet.lnk", L"quiet.exe", __LINE__);
    Fill();
    CCategory& accessories = Category(m_catalogue.m_applications, L"Accessories");
    EXPECT_TRUE(HasEntry(accessories, L"Quiet", quiet));
    EXPECT_EQ(1u, accessories.m_items.size());
    EXPECT_EQ(-1, accessories.FindItemIndex(L"Shouting"));
}

TEST_F(FirstLaunchCatalogueTest, SameLinkInBothStartMenusGivesTheUsersEntry)
{
    const std::wstring users = LinkToProgram(m_userStartMenu + L"\\Programs\\Games\\Chess.lnk",
                                             L"User\\chess.exe", __LINE__);
    LinkToProgram(m_commonStartMenu + L"\\Programs\\Games\\chess.lnk", L"Common\\chess.exe",
                  __LINE__);
    Fill();
    CCategory& games = Category(m_catalogue.m_applications, L"Games");
    EXPECT_EQ(1u, games.m_items.size());
    EXPECT_TRUE(HasEntry(games, L"Chess", users));
}

TEST_F(FirstLaunchCatalogueTest, FifteenLinksGiveElevenEntries)
{
    for (int i = 0; i < 15; ++i)
    {
        const std::wstring name = L"Game" + std::to_wstring(10 + i);
        LinkToProgram(m_userStartMenu + L"\\Programs\\Games\\" + name + L".lnk", name + L".exe",
                      __LINE__);
    }
    Fill();
    EXPECT_EQ(11u, Category(m_catalogue.m_applications, L"Games").m_items.size());
}

TEST_F(FirstLaunchCatalogueTest, FullCategoryTakesAtMostOneMore)
{
    CCategory& category = *m_catalogue.m_applications.AddCategory(L"Full");
    for (int i = 0; i < 11; ++i)
        ASSERT_TRUE(category.InsertItem(std::make_unique<CApplicationItem>(
            L"Old" + std::to_wstring(i), &category, L"C:\\old.exe", L"", L"", 0, nullptr)));
    for (const wchar_t* file : {L"a.exe", L"b.exe", L"c.exe"})
        m_scratch.MakeFile(file);
    ScanFolderIntoCategory(category, m_scratch.Path() + L"\\", m_applicationsPage.GetHwnd(),
                           nullptr, false, false);
    EXPECT_EQ(12u, category.m_items.size());
}

TEST_F(FirstLaunchCatalogueTest, ProgramScanTakesOnlyExistingExeFiles)
{
    const std::wstring program = m_scratch.MakeFile(L"Tool.EXE");
    m_scratch.MakeFile(L"notes.txt");
    m_scratch.MakeFolder(L"folder.exe");
    CCategory& category = *m_catalogue.m_applications.AddCategory(L"Scanned");
    ScanFolderIntoCategory(category, m_scratch.Path() + L"\\", m_applicationsPage.GetHwnd(),
                           nullptr, false, false);
    EXPECT_EQ(1u, category.m_items.size());
    EXPECT_TRUE(HasEntry(category, L"Tool", program));
}

TEST_F(FirstLaunchCatalogueTest, MissingFolderLeavesCategoryAsItWas)
{
    CCategory& category = *m_catalogue.m_shortcuts.AddCategory(L"Kept");
    ASSERT_TRUE(category.InsertItem(std::make_unique<CShortcutItem>(
        L"Kept", &category, L"C:\\kept.txt", L"", L"", 0, nullptr)));
    ScanFolderIntoCategory(category, m_scratch / L"absent\\", nullptr, m_shortcutsPage.GetHwnd(),
                           true, false);
    ASSERT_EQ(1u, category.m_items.size());
    EXPECT_EQ(L"Kept", category.m_items[0]->m_name);
}

TEST_F(FirstLaunchCatalogueTest, ShortcutScanNamesFilesWithoutExtension)
{
    const std::wstring document = m_scratch.MakeFile(L"report.final.doc");
    const std::wstring bare = m_scratch.MakeFile(L"README");
    CCategory& category = *m_catalogue.m_shortcuts.AddCategory(L"Files");
    ScanFolderIntoCategory(category, m_scratch.Path() + L"\\", nullptr, m_shortcutsPage.GetHwnd(),
                           true, false);
    EXPECT_EQ(2u, category.m_items.size());
    EXPECT_TRUE(HasEntry(category, L"report.final", document));
    EXPECT_TRUE(HasEntry(category, L"README", bare)) << "a name without a point is kept whole";
    for (const auto& entry : category.m_items)
    {
        ASSERT_NE(nullptr, dynamic_cast<CShortcutItem*>(entry.get()));
        ASSERT_NE(nullptr, entry->m_window);
        EXPECT_EQ(m_shortcutsPage.GetHwnd(), GetParent(entry->m_window->GetHwnd()));
    }
}

TEST_F(FirstLaunchCatalogueTest, DisksAreTheLogicalDrives)
{
    wchar_t drives[512];
    std::fill(std::begin(drives), std::end(drives), L'#');
    const DWORD length = GetLogicalDriveStringsW(512, drives);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, 512u);
    Fill();
    CCategory& disks = Category(m_catalogue.m_folders, L"Disks");
    size_t count = 0;
    for (const wchar_t* root = drives; *root != L'\0'; root += wcslen(root) + 1, ++count)
        EXPECT_TRUE(HasEntry(disks, std::wstring(root, wcslen(root) - 1), root));
    EXPECT_EQ(count, disks.m_items.size());
    EXPECT_TRUE(HasEntry(disks, L"C:", L"C:\\"));
    for (const auto& entry : disks.m_items)
    {
        ASSERT_NE(nullptr, dynamic_cast<CFolderItem*>(entry.get()));
        ASSERT_NE(nullptr, entry->m_window);
        EXPECT_EQ(m_foldersPane.GetHwnd(), GetParent(entry->m_window->GetHwnd()));
    }
}

TEST_F(FirstLaunchCatalogueTest, DrivesBeyondAHundredCharactersAreAllListed)
{
    CScratchDrives drives;
    for (wchar_t letter : FreeDriveLetters())
        ASSERT_TRUE(drives.Define(letter, m_scratch.Path())) << "error " << GetLastError();
    const DWORD needed = GetLogicalDriveStringsW(0, nullptr);
    if (needed <= 100)
        GTEST_SKIP() << "the drives need only " << needed << " characters here";
    Fill();
    const std::vector<std::wstring> roots = GetLogicalDriveRoots();
    EXPECT_EQ(needed - 1, roots.size() * 4) << "each root is \"X:\\\" and its terminator";
    EXPECT_EQ(roots.size(), Category(m_catalogue.m_folders, L"Disks").m_items.size());
    EXPECT_TRUE(HasEntry(Category(m_catalogue.m_folders, L"Disks"), L"A:", L"A:\\"));
}

TEST_F(FirstLaunchCatalogueTest, MyFoldersAreTheUsersSpecialFolders)
{
    Fill();
    CCategory& myFolders = Category(m_catalogue.m_folders, L"My folders");
    EXPECT_TRUE(HasEntry(myFolders, L"My documents", SpecialFolder(CSIDL_PERSONAL)));
    EXPECT_TRUE(HasEntry(myFolders, L"My music", SpecialFolder(CSIDL_MYMUSIC)));
    EXPECT_TRUE(HasEntry(myFolders, L"My pictures", SpecialFolder(CSIDL_MYPICTURES)));
    EXPECT_TRUE(HasEntry(myFolders, L"My video", SpecialFolder(CSIDL_MYVIDEO)));
    EXPECT_EQ(4u, myFolders.m_items.size());
}

TEST_F(FirstLaunchCatalogueTest, TestDataHoldsTheFilesNextToTheProgram)
{
    wchar_t program[MAX_PATH] = L"sentinel";
    ASSERT_GT(GetModuleFileNameW(nullptr, program, MAX_PATH), 0u);
    const std::wstring folder = GetPathDirectory(program);
    const size_t files = FilesIn(folder).size();
    Fill();
    CCategory& testData = Category(m_catalogue.m_shortcuts, L"Test data");
    EXPECT_EQ(std::min<size_t>(files, 11), testData.m_items.size());
    for (const auto& entry : testData.m_items)
    {
        const auto* shortcut = dynamic_cast<CShortcutItem*>(entry.get());
        ASSERT_NE(nullptr, shortcut);
        EXPECT_EQ(folder, GetPathDirectory(shortcut->m_path));
        EXPECT_TRUE(FileExists(shortcut->m_path)) << Narrow(shortcut->m_path);
        EXPECT_EQ(RemoveFileExtension(GetPathFileName(shortcut->m_path)), shortcut->m_name);
        EXPECT_EQ(L"", shortcut->m_arguments);
        EXPECT_EQ(L"", shortcut->m_startIn);
        EXPECT_EQ(0, shortcut->m_hotKey);
        ASSERT_NE(nullptr, shortcut->m_window);
        EXPECT_EQ(m_shortcutsPage.GetHwnd(), GetParent(shortcut->m_window->GetHwnd()));
    }
}
