#pragma once

#include <windows.h>

#include <string>

#include "bench/probe/PaintProbe.h"

namespace bench
{
// The waiting side of the paint probe: hooks the probe library into one thread of
// a program and tells when that thread has painted what the request asks for.
// Another process cannot read a window's update region (GetUpdateRect answers
// FALSE there), and the first idle state (WaitForInputIdle) comes before the
// paints under Wine, so the question is answered inside the program.
class CPaintProbeClient
{
public:
    CPaintProbeClient() = default;
    ~CPaintProbeClient() { Unhook(); }
    CPaintProbeClient(const CPaintProbeClient&) = delete;
    CPaintProbeClient& operator=(const CPaintProbeClient&) = delete;

    // library: the probe's full path. The request is in place before the hook, so
    // the probe's first look finds it whenever the thread next takes a message.
    bool Hook(const std::wstring& library, DWORD processId, DWORD threadId,
              const PaintProbeRequest& request);
    bool WaitUntilPainted(DWORD timeoutMs) const;
    void Unhook();

    static PaintProbeRequest MakeRequest(const wchar_t* mainClass, const wchar_t* rowClass,
                                         int rows);

private:
    HHOOK m_hook = nullptr;
    HANDLE m_request = nullptr;
    HANDLE m_painted = nullptr;
    DWORD m_threadId = 0;
};
} // namespace bench
