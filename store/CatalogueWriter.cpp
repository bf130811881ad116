#include "store/CatalogueWriter.h"

#include <utility>

#include "store/CatalogueJournal.h"
#include "store/CatalogueStaging.h"

CCatalogueWriter::CCatalogueWriter(std::function<void()> wholeSaveWanted)
    : m_wholeSaveWanted(std::move(wholeSaveWanted))
{
}

CCatalogueWriter::~CCatalogueWriter()
{
    Flush();
    m_thread.Join();
}

void CCatalogueWriter::Write(CatalogueChange change)
{
    Queue({std::move(change), {}, false});
}

void CCatalogueWriter::Save(std::vector<StoredList> lists)
{
    Queue({{}, std::move(lists), true});
}

// A thread that found the queue empty has ended or is about to: Start waits for it.
void CCatalogueWriter::Queue(Task task)
{
    bool start = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_wholeSavePending = m_wholeSavePending || task.whole;
        m_tasks.push_back(std::move(task));
        start = !m_draining;
        m_draining = true;
    }
    if (start)
        m_thread.Start([this] { Drain(); });
}

void CCatalogueWriter::Flush()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_tasks.empty() && !m_writing; });
}

bool CCatalogueWriter::NeedsWholeSave()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_needsWholeSave;
}

// A whole save that fails asks for no other: the next change that cannot be written
// does, so a store that cannot be written is not rewritten in a loop.
bool CCatalogueWriter::Finish(const Task& task, bool stored)
{
    m_writing = false;
    if (task.whole)
    {
        m_needsWholeSave = !stored;
        m_wholeSavePending = false;
        return false;
    }
    if (stored)
        return false;
    m_needsWholeSave = true;
    if (m_wholeSavePending)
        return false;
    m_wholeSavePending = true;
    return true;
}

void CCatalogueWriter::Drain()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_tasks.empty())
    {
        const Task task = std::move(m_tasks.front());
        m_tasks.pop_front();
        m_writing = true;
        // A change after one that was left out waits for the whole save that holds both.
        const bool waiting = m_needsWholeSave && !task.whole;
        lock.unlock();
        const bool stored = task.whole ? SaveStoredLists(task.lists)
                                       : !waiting && WriteCatalogueChange(task.change);
        lock.lock();
        const bool askForWholeSave = Finish(task, stored);
        lock.unlock();
        if (askForWholeSave && m_wholeSaveWanted)
            m_wholeSaveWanted();
        m_changed.notify_all();
        lock.lock();
    }
    m_draining = false;
    m_changed.notify_all();
}
