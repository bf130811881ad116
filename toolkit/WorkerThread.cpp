#include "toolkit/WorkerThread.h"

#include <utility>

#include "toolkit/Shielded.h"

namespace
{
// Enough for the registry calls and the containers the workers use.
constexpr SIZE_T StackReservation = 256 * 1024;
} // namespace

void CWorkerThread::Start(std::function<void()> work)
{
    Join();
    m_work = std::move(work);
    m_thread.Reset(CreateThread(nullptr, StackReservation, Run, this,
                                STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
    if (!m_thread)
        Run(this);
}

void CWorkerThread::Join()
{
    if (m_thread.Get() == nullptr)
        return;
    WaitForSingleObject(m_thread.Get(), INFINITE);
    m_thread.Reset();
}

DWORD WINAPI CWorkerThread::Run(void* self)
{
    auto* thread = static_cast<CWorkerThread*>(self);
    CallShielded([thread] { thread->m_work(); }, [] {});
    return 0;
}
