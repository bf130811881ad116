#include "shell/Clipboard.h"
#include "shell/DataObject.h"
#include "tests/support/ChildProcess.h"
#include "tests/unit/shell/ReleaseSpy.h"
#include "tests/support/unit/ShellTestSupport.h"
#include "toolkit/Scoped.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <string>
#include <vector>

using shell_test::CReleaseSpy;
using test_support::DropListFormat;
using test_support::DropListPaths;
using test_support::GlobalMedium;
using test_support::Utf8;

namespace
{
const std::wstring NonAsciiPath = L"C:\\Pathmoor test\\\u00e4\u00f6 \u4e2d.txt";

struct ReaderRun
{
    DWORD exitCode = 0xDEADBEEF;
    std::string output;
};

std::wstring ReaderPath()
{
    wchar_t path[MAX_PATH];
    wmemset(path, L'#', MAX_PATH);
    std::wstring folder(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    folder.resize(folder.rfind(L'\\') + 1);
    return folder + L"clipboard_reader.exe";
}

// The clipboard asks its owner to render delayed data while the reader waits for it, so this
// thread must keep answering messages until the reader ends.
bool WaitServingMessages(HANDLE process, DWORD timeoutMs)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;)
    {
        const ULONGLONG now = GetTickCount64();
        if (now >= end)
            return false;
        const DWORD wait = MsgWaitForMultipleObjects(1, &process, FALSE,
                                                     static_cast<DWORD>(end - now), QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0)
            return true;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

std::string ReadAll(HANDLE file)
{
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        text.append(buffer, read);
    return text;
}

// Runs the clipboard reader in another process; its output goes to a temporary file, so a
// reader that hangs cannot hang the test.
ReaderRun RunReader(const wchar_t* way, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line << " reading by " << way);
    ReaderRun run;
    wchar_t folder[MAX_PATH];
    wchar_t name[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    EXPECT_NE(0u, GetTempFileNameW(folder, L"pmc", 0, name));
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    CScopedHandle output(CreateFileW(
        name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
        CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    EXPECT_TRUE(output) << "error " << GetLastError();

    const std::wstring reader = ReaderPath();
    std::wstring commandLine = L"\"" + reader + L"\" " + way;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output.Get();
    startup.hStdError = output.Get();
    PROCESS_INFORMATION process = {};
    if (const DWORD error = test_support::StartChildProcess(reader.c_str(), commandLine, true,
                                                            CREATE_NO_WINDOW, startup, process))
    {
        ADD_FAILURE() << "cannot start " << Utf8(reader) << " (built with the helper targets?)"
                      << ", error " << error;
        return run;
    }
    CScopedHandle processHandle(process.hProcess);
    CScopedHandle threadHandle(process.hThread);
    if (!WaitServingMessages(processHandle.Get(), 20000))
    {
        ADD_FAILURE() << "the reader did not end";
        TerminateProcess(processHandle.Get(), 99);
        WaitForSingleObject(processHandle.Get(), 5000);
    }
    GetExitCodeProcess(processHandle.Get(), &run.exitCode);
    run.output = ReadAll(output.Get());
    return run;
}

void ExpectReaderSees(const wchar_t* way, const std::vector<std::wstring>& paths, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line << " reading by " << way);
    std::string expected;
    for (const std::wstring& path : paths)
        expected += Utf8(path) + "\n";
    const ReaderRun run = RunReader(way, line);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ(expected, run.output);
}

void ExpectOtherProcessesSee(const std::vector<std::wstring>& paths, int line)
{
    ExpectReaderSees(L"win32", paths, line);
    ExpectReaderSees(L"ole", paths, line);
}

// What a paste target in this process gets through the OLE clipboard.
void ExpectOleClipboardHolds(const std::vector<std::wstring>& paths, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    CComPtr<IDataObject> clipboard;
    ASSERT_EQ(S_OK, OleGetClipboard(&clipboard));
    FORMATETC request = DropListFormat();
    EXPECT_EQ(S_OK, clipboard->QueryGetData(&request));
    STGMEDIUM medium = {};
    ASSERT_EQ(S_OK, clipboard->GetData(&request, &medium));
    EXPECT_EQ(static_cast<DWORD>(TYMED_HGLOBAL), medium.tymed);
    EXPECT_EQ(paths, DropListPaths(medium.hGlobal));
    ReleaseStgMedium(&medium);
}

std::wstring LongPath()
{
    std::wstring path = L"C:\\";
    while (path.size() < 320)
        path += L"Long folder \u00e9\\";
    path.resize(296);
    return path + L".lnk";
}

class ShellClipboard : public testing::Test
{
protected:
    void TearDown() override
    {
        OleSetClipboard(nullptr);
        if (OpenClipboard(nullptr))
        {
            EmptyClipboard();
            CloseClipboard();
        }
    }
};

TEST_F(ShellClipboard, SameProcessPastesTheFile)
{
    ASSERT_TRUE(CopyFilesToClipboard({NonAsciiPath}));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_HDROP));
    ExpectOleClipboardHolds({NonAsciiPath}, __LINE__);
}

TEST_F(ShellClipboard, AnotherProcessPastesTheFile)
{
    ASSERT_TRUE(CopyFilesToClipboard({NonAsciiPath}));
    ExpectOtherProcessesSee({NonAsciiPath}, __LINE__);
}

TEST_F(ShellClipboard, FilesStayAfterFlush)
{
    ASSERT_TRUE(CopyFilesToClipboard({NonAsciiPath}));
    ASSERT_EQ(S_OK, OleFlushClipboard());
    ExpectOleClipboardHolds({NonAsciiPath}, __LINE__);
    ExpectOtherProcessesSee({NonAsciiPath}, __LINE__);
}

TEST_F(ShellClipboard, SeveralFilesInOrder)
{
    const std::vector<std::wstring> paths = {L"C:\\a.txt", NonAsciiPath, L"Z:\\tmp\\b"};
    ASSERT_TRUE(CopyFilesToClipboard(paths));
    ExpectOleClipboardHolds(paths, __LINE__);
    ExpectOtherProcessesSee(paths, __LINE__);
}

TEST_F(ShellClipboard, LongPathArrivesWhole)
{
    const std::vector<std::wstring> paths = {LongPath()};
    ASSERT_EQ(300u, paths[0].size());
    ASSERT_TRUE(CopyFilesToClipboard(paths));
    ExpectOleClipboardHolds(paths, __LINE__);
    ExpectOtherProcessesSee(paths, __LINE__);
    ASSERT_EQ(S_OK, OleFlushClipboard());
    ExpectOtherProcessesSee(paths, __LINE__);
}

TEST_F(ShellClipboard, LaterCopyReplacesTheEarlierOne)
{
    ASSERT_TRUE(CopyFilesToClipboard({L"C:\\first.txt"}));
    ASSERT_TRUE(CopyFilesToClipboard({L"C:\\second.txt"}));
    ExpectOleClipboardHolds({L"C:\\second.txt"}, __LINE__);
    ExpectReaderSees(L"win32", {L"C:\\second.txt"}, __LINE__);
}

// Nothing to paste, or a list that would arrive cut short: the clipboard keeps what it had.
TEST_F(ShellClipboard, RefusedListsLeaveTheClipboardAlone)
{
    ASSERT_TRUE(CopyFilesToClipboard({L"C:\\kept.txt"}));
    EXPECT_FALSE(CopyFilesToClipboard({}));
    EXPECT_FALSE(CopyFilesToClipboard({L"C:\\a.txt", L""}));
    ExpectOleClipboardHolds({L"C:\\kept.txt"}, __LINE__);
    ExpectReaderSees(L"win32", {L"C:\\kept.txt"}, __LINE__);
}

// The clipboard keeps its own reference once the creator has let go, and drops it when it is
// flushed; then the object is destroyed and releases its medium.
TEST_F(ShellClipboard, ClipboardOwnsTheDataObjectUntilFlushed)
{
    CReleaseSpy spy;
    STGMEDIUM medium = GlobalMedium(BuildDropFiles({L"C:\\a.txt"}), &spy);
    spy.AddRef();
    IDataObject* object = nullptr;
    ASSERT_EQ(S_OK, CreateDataObject(DropListFormat(), medium, &object));
    ASSERT_EQ(S_OK, OleSetClipboard(object));
    EXPECT_EQ(S_OK, OleIsCurrentClipboard(object));
    object->Release();
    EXPECT_EQ(2, spy.GetRefCount()) << "the data object is gone while on the clipboard";
    ExpectReaderSees(L"win32", {L"C:\\a.txt"}, __LINE__);
    ASSERT_EQ(S_OK, OleFlushClipboard());
    EXPECT_EQ(1, spy.GetRefCount()) << "the flushed data object was not destroyed";
    GlobalFree(medium.hGlobal);
}
} // namespace
