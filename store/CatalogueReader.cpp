#include "store/CatalogueReader.h"

#include <utility>

CCatalogueReader::CCatalogueReader()
{
    m_thread.Start([this] { Read(); });
}

CCatalogueReader::~CCatalogueReader()
{
    m_thread.Join();
}

bool CCatalogueReader::Next(ReadCategory& category)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_read.empty() || m_finished; });
    if (m_read.empty())
        return false;
    category = std::move(m_read.front());
    m_read.pop_front();
    return true;
}

void CCatalogueReader::Read()
{
    for (ListKind kind : {ListKind::Applications, ListKind::Folders, ListKind::Shortcuts})
        ReadStoredCategories(kind,
                             [this, kind](StoredCategory&& stored)
                             {
                                 {
                                     const std::lock_guard<std::mutex> lock(m_mutex);
                                     m_read.push_back({kind, std::move(stored)});
                                 }
                                 m_changed.notify_one();
                             });
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_finished = true;
    }
    m_changed.notify_one();
}
