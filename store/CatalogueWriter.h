#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "store/CatalogueChange.h"
#include "toolkit/WorkerThread.h"

// Writes the catalogue's changes on a thread of its own, one after the other in the
// order given, so that no edit waits for the registry: under Wine every registry call
// is a round trip to the wine server. Each change is stored as one unit through the
// journal; a change that cannot be (a staged whole save waits, or a write failed)
// asks for a whole save instead, and later changes wait for it. The thread runs while
// there is something to write: an idle program keeps no thread for it.
class CCatalogueWriter
{
public:
    // wholeSaveWanted is called on the writer's thread; the owner answers by handing a
    // copy of the whole catalogue to Save. Write, Save and Flush are called from one
    // thread, the owner's.
    explicit CCatalogueWriter(std::function<void()> wholeSaveWanted);
    // Writes everything queued first.
    ~CCatalogueWriter();
    CCatalogueWriter(const CCatalogueWriter&) = delete;
    CCatalogueWriter& operator=(const CCatalogueWriter&) = delete;

    void Write(CatalogueChange change);
    void Save(std::vector<StoredList> lists);
    // Returns once everything queued before is written.
    void Flush();
    // Some change is not stored: no whole save has worked since it was left out.
    bool NeedsWholeSave();

private:
    struct Task
    {
        CatalogueChange change;
        std::vector<StoredList> lists;
        bool whole = false;
    };

    void Queue(Task task);
    // Writes until nothing is queued.
    void Drain();
    // Under the lock: notes the outcome; true when a whole save is to be asked for.
    bool Finish(const Task& task, bool stored);

    std::function<void()> m_wholeSaveWanted;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Task> m_tasks;
    bool m_writing = false;
    // The thread is draining the queue; it ends once the queue is empty.
    bool m_draining = false;
    bool m_needsWholeSave = false;
    // Asked for or queued, and not yet written.
    bool m_wholeSavePending = false;
    // Last: it goes first, once it has written everything.
    CWorkerThread m_thread;
};
