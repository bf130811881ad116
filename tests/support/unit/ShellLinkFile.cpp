#include "tests/support/unit/ShellLinkFile.h"

#include "toolkit/Scoped.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace test_support
{
void SaveShellLink(const std::wstring& linkPath, const CLinkValues& values, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    CComPtr<IShellLinkW> link;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IShellLinkW, reinterpret_cast<void**>(&link)));
    // S_FALSE for a target that does not exist yet is still a saved path.
    ASSERT_TRUE(SUCCEEDED(link->SetPath(values.target.c_str())));
    ASSERT_EQ(S_OK, link->SetArguments(values.arguments.c_str()));
    ASSERT_EQ(S_OK, link->SetWorkingDirectory(values.workingFolder.c_str()));
    ASSERT_EQ(S_OK, link->SetHotkey(values.hotKey));
    CComPtr<IPersistFile> file;
    ASSERT_EQ(S_OK, link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
    ASSERT_EQ(S_OK, file->Save(linkPath.c_str(), TRUE));
}
} // namespace test_support
