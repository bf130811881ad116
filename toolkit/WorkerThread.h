#pragma once

#include <windows.h>

#include <functional>

#include "toolkit/Scoped.h"

// A thread that runs one function and is waited for when its holder goes. Its stack is
// a small reservation, all the workers need, rather than the program's default.
class CWorkerThread
{
public:
    CWorkerThread() = default;
    // Waits for the thread to end.
    ~CWorkerThread() { Join(); }
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Waits for the one before, then runs work on a new thread, or here when the system
    // gives none.
    void Start(std::function<void()> work);
    void Join();

private:
    static DWORD WINAPI Run(void* self);

    std::function<void()> m_work;
    CScopedHandle m_thread;
};
