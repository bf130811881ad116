#include "shell/ShellActions.h"

#include "tests/support/unit/ScratchFolder.h"
#include "tests/support/unit/ShellLinkFile.h"

#include <gtest/gtest.h>
#include <shlobj.h>

using test_support::CScratchFolder;
using test_support::SaveShellLink;

namespace
{
constexpr WORD CtrlAltK = MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT);
constexpr WORD SentinelHotKey = 0xBEEF;
const std::wstring Sentinel = L"sentinel";

class ResolveShortcutTest : public testing::Test
{
protected:
    // A link in the scratch folder to target, with no arguments, folder or hotkey.
    std::wstring LinkTo(const std::wstring& target, int line)
    {
        const std::wstring linkPath = m_folder / L"link.lnk";
        SaveShellLink(linkPath, {target, L"", L"", 0}, line);
        return linkPath;
    }

    // The path ResolveShortcut makes of a link to target.
    std::wstring Resolve(const std::wstring& target, int line)
    {
        std::wstring path = LinkTo(target, line);
        ResolveShortcut(path);
        return path;
    }

    CScratchFolder m_folder;
};
} // namespace

TEST_F(ResolveShortcutTest, ReadsTargetArgumentsWorkingFolderAndHotKey)
{
    const std::wstring target = m_folder.MakeFile(L"Tools\\tool.exe");
    const std::wstring workingFolder = m_folder.MakeFolder(L"Work");
    std::wstring path = m_folder / L"tool.lnk";
    SaveShellLink(path, {target, L"-a \"b c\"", workingFolder, CtrlAltK}, __LINE__);
    WORD hotKey = SentinelHotKey;
    std::wstring arguments = Sentinel;
    std::wstring folder = Sentinel;
    ResolveShortcut(path, &hotKey, &arguments, &folder);
    EXPECT_EQ(target, path);
    EXPECT_EQ(L"-a \"b c\"", arguments);
    EXPECT_EQ(workingFolder, folder);
    EXPECT_EQ(CtrlAltK, hotKey) << std::hex << "hotkey 0x" << hotKey;
    EXPECT_EQ('K', LOBYTE(hotKey));
    EXPECT_EQ(HOTKEYF_CONTROL | HOTKEYF_ALT, HIBYTE(hotKey));
}

TEST_F(ResolveShortcutTest, OutputsAreOptional)
{
    const std::wstring target = m_folder.MakeFile(L"tool.exe");
    std::wstring path = m_folder / L"tool.lnk";
    SaveShellLink(path, {target, L"-q", L"C:\\", CtrlAltK}, __LINE__);
    ResolveShortcut(path);
    EXPECT_EQ(target, path);
}

TEST_F(ResolveShortcutTest, LinkWithoutExtrasGivesEmptyOutputs)
{
    const std::wstring target = m_folder.MakeFile(L"tool.exe");
    std::wstring path = LinkTo(target, __LINE__);
    WORD hotKey = SentinelHotKey;
    std::wstring arguments = Sentinel;
    std::wstring folder = Sentinel;
    ResolveShortcut(path, &hotKey, &arguments, &folder);
    EXPECT_EQ(target, path);
    EXPECT_EQ(L"", arguments);
    EXPECT_EQ(L"", folder);
    EXPECT_EQ(0, hotKey);
}

TEST_F(ResolveShortcutTest, ArgumentsLongerThanAPathComeBackWhole)
{
    const std::wstring target = m_folder.MakeFile(L"tool.exe");
    const std::wstring longArguments = L"--list " + std::wstring(600, L'x');
    std::wstring path = m_folder / L"tool.lnk";
    SaveShellLink(path, {target, longArguments, L"", 0}, __LINE__);
    std::wstring arguments = Sentinel;
    ResolveShortcut(path, nullptr, &arguments);
    EXPECT_EQ(longArguments.size(), arguments.size());
    EXPECT_EQ(longArguments, arguments);
}

TEST_F(ResolveShortcutTest, MissingX86TargetMovesToTheNativeProgramFolder)
{
    const std::wstring native = m_folder.MakeFile(L"Program Files\\Tool\\tool.exe");
    const std::wstring x86 = m_folder / L"Program Files (x86)\\Tool\\tool.exe";
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(x86.c_str()));
    EXPECT_EQ(native, Resolve(x86, __LINE__));
}

TEST_F(ResolveShortcutTest, MissingX86TargetStaysWhenTheNativeOneIsMissingToo)
{
    const std::wstring x86 = m_folder / L"Program Files (x86)\\Tool\\tool.exe";
    EXPECT_EQ(x86, Resolve(x86, __LINE__));
}

TEST_F(ResolveShortcutTest, ExistingX86TargetIsKept)
{
    m_folder.MakeFile(L"Program Files\\Tool\\tool.exe");
    const std::wstring x86 = m_folder.MakeFile(L"Program Files (x86)\\Tool\\tool.exe");
    EXPECT_EQ(x86, Resolve(x86, __LINE__));
}

TEST_F(ResolveShortcutTest, X86FolderNameIsMatchedInItsExactCase)
{
    // The file system ignores case, so the native file exists under this spelling too.
    m_folder.MakeFile(L"Program Files\\Tool\\tool.exe");
    const std::wstring lower = m_folder / L"program files (x86)\\Tool\\tool.exe";
    EXPECT_EQ(lower, Resolve(lower, __LINE__));
}

TEST_F(ResolveShortcutTest, FolderTargetIsKept)
{
    m_folder.MakeFolder(L"Program Files\\Data");
    const std::wstring x86 = m_folder.MakeFolder(L"Program Files (x86)\\Data");
    EXPECT_EQ(x86, Resolve(x86, __LINE__));
}
