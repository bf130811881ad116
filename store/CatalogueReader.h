#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>

#include "catalogue/Catalogue.h"
#include "store/CatalogueStore.h"
#include "toolkit/WorkerThread.h"

// Reads the stored catalogue on a thread of its own, a category at a time, so
// that the window thread can create the windows of the categories read so far
// while the next ones are read. Under Wine each registry call is a round trip to
// the wine server, and such calls from two threads overlap with window creation
// almost completely.
class CCatalogueReader
{
public:
    struct ReadCategory
    {
        ListKind kind = ListKind::Applications;
        StoredCategory stored;
    };

    // Starts reading the applications, then the folders, then the shortcuts.
    CCatalogueReader();
    // Waits for the reading to end.
    ~CCatalogueReader();
    CCatalogueReader(const CCatalogueReader&) = delete;
    CCatalogueReader& operator=(const CCatalogueReader&) = delete;

    // Waits for the next category read; false once every one has been taken.
    bool Next(ReadCategory& category);

private:
    void Read();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<ReadCategory> m_read;
    bool m_finished = false;
    // Last: it goes first, once the reading has ended.
    CWorkerThread m_thread;
};
