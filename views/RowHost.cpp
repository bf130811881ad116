#include "views/RowHost.h"

namespace
{
IRowHost* g_host = nullptr;
} // namespace

IRowHost* IRowHost::Current()
{
    return g_host;
}

void IRowHost::SetCurrent(IRowHost* host)
{
    g_host = host;
}

void IRowHost::TellEntryLaunched()
{
    if (g_host)
        g_host->OnEntryLaunched();
}
