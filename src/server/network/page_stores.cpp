#include "network/page_stores.h"

#include "request_log.h"

namespace tarvik::server {

ResultStore *PageStores::usableStandby() const
{
    return m_standby && m_health.worthTrying(StandbyHealth::Clock::now()) ? m_standby : nullptr;
}

void PageStores::standbyAnswered()
{
    if (m_health.answered())
        logLine("read database answers again; pages are read from it");
}

void PageStores::standbyFailed(const StoreUnavailable &fault)
{
    if (m_health.failed(StandbyHealth::Clock::now()))
        logLine("read database unavailable: " + std::string(fault.what()) + "; pages are read from the primary");
}

} // namespace tarvik::server
