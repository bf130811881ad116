// Reads the file drop list (CF_HDROP) from the clipboard the way another program would, and
// prints its paths as UTF-8 lines on standard output.
//   clipboard_reader win32   OpenClipboard, GetClipboardData, DragQueryFileW
//   clipboard_reader ole     OleGetClipboard, IDataObject::GetData, DragQueryFileW
// Exit code 0 on success, 1 when there is no drop list, 2 on bad arguments.

#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

namespace
{
void WriteUtf8Line(const std::wstring& text)
{
    const std::wstring line = text + L"\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), &bytes[0], size,
                        nullptr, nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), size, &written, nullptr);
}

// Names of any length: DragQueryFileW tells each one's length first.
bool PrintDropList(HDROP drop)
{
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i)
    {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(drop, i, &name[0], static_cast<UINT>(name.size())));
        WriteUtf8Line(name);
    }
    return count > 0;
}

// Another process may hold the clipboard open for a moment.
bool OpenClipboardSoon()
{
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        if (OpenClipboard(nullptr))
            return true;
        Sleep(20);
    }
    return false;
}

bool ReadWithWin32()
{
    if (!OpenClipboardSoon())
        return false;
    HANDLE data = GetClipboardData(CF_HDROP);
    const bool printed = data && PrintDropList(static_cast<HDROP>(data));
    CloseClipboard();
    return printed;
}

bool ReadWithOle()
{
    if (FAILED(OleInitialize(nullptr)))
        return false;
    bool printed = false;
    IDataObject* dataObject = nullptr;
    if (SUCCEEDED(OleGetClipboard(&dataObject)))
    {
        FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        STGMEDIUM medium = {};
        if (SUCCEEDED(dataObject->GetData(&format, &medium)))
        {
            printed = PrintDropList(static_cast<HDROP>(medium.hGlobal));
            ReleaseStgMedium(&medium);
        }
        dataObject->Release();
    }
    OleUninitialize();
    return printed;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2)
        return 2;
    if (wcscmp(argv[1], L"win32") == 0)
        return ReadWithWin32() ? 0 : 1;
    if (wcscmp(argv[1], L"ole") == 0)
        return ReadWithOle() ? 0 : 1;
    return 2;
}
