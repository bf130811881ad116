#include "bench/probe/PaintProbeClient.h"

#include "toolkit/Utilities.h"

namespace bench
{
namespace
{
bool WriteRequest(HANDLE mapping, const PaintProbeRequest& request)
{
    void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(request));
    if (view == nullptr)
        return false;
    *static_cast<PaintProbeRequest*>(view) = request;
    UnmapViewOfFile(view);
    return true;
}
} // namespace

PaintProbeRequest CPaintProbeClient::MakeRequest(const wchar_t* mainClass, const wchar_t* rowClass,
                                                 int rows)
{
    PaintProbeRequest request = {};
    lstrcpynW(request.mainClass, mainClass, ARRAYSIZE(request.mainClass));
    lstrcpynW(request.rowClass, rowClass, ARRAYSIZE(request.rowClass));
    request.rows = rows;
    return request;
}

bool CPaintProbeClient::Hook(const std::wstring& library, DWORD processId, DWORD threadId,
                             const PaintProbeRequest& request)
{
    Unhook();
    // Kept for the whole run: the hook needs the library's address in this process.
    const HMODULE probe = LoadLibraryW(library.c_str());
    const auto hook = GetProcedure<HOOKPROC>(probe, PaintProbeHookName);
    if (hook == nullptr)
        return false;
    const std::wstring pid = std::to_wstring(processId);
    m_request = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                   sizeof(PaintProbeRequest), (RequestMappingPrefix + pid).c_str());
    m_painted = CreateEventW(nullptr, TRUE, FALSE, (PaintedEventPrefix + pid).c_str());
    if (m_request == nullptr || m_painted == nullptr || !WriteRequest(m_request, request))
        return false;
    m_hook = SetWindowsHookExW(WH_GETMESSAGE, hook, probe, threadId);
    m_threadId = threadId;
    return m_hook != nullptr;
}

bool CPaintProbeClient::WaitUntilPainted(DWORD timeoutMs) const
{
    if (m_hook == nullptr)
        return false;
    // A thread that waits for input already takes no message the hook could see.
    PostThreadMessageW(m_threadId, WM_NULL, 0, 0);
    return WaitForSingleObject(m_painted, timeoutMs) == WAIT_OBJECT_0;
}

void CPaintProbeClient::Unhook()
{
    if (m_hook != nullptr)
        UnhookWindowsHookEx(m_hook);
    for (HANDLE handle : {m_request, m_painted})
        if (handle != nullptr)
            CloseHandle(handle);
    m_hook = nullptr;
    m_request = m_painted = nullptr;
    m_threadId = 0;
}
} // namespace bench
