#pragma once

#include "network/standby_health.h"
#include "storage/result_store.h"
#include "storage/store_unavailable.h"

#include <type_traits>

namespace tarvik::server {

// The databases a page reader reads: the primary, and a hot standby when the
// server has one. Pages that only show results come from the standby; the
// primary answers when there is none, when it is down, and for what it has
// not replayed yet. Whatever changes results is the primary's alone.
class PageStores {
public:
    PageStores(ResultStore &primary, ResultStore *standby, StandbyHealth &health)
        : m_primary(primary),
          m_standby(standby),
          m_health(health)
    {
    }

    ResultStore &primary() { return m_primary; }

    // What `read` gives on the standby; on the primary when the standby
    // fails or its answer is not `complete`.
    template <typename Read, typename Complete>
    std::invoke_result_t<Read &, ResultStore &> read(Read work, Complete complete)
    {
        if (ResultStore *standby = usableStandby()) {
            try {
                auto answer = work(*standby);
                standbyAnswered();
                if (complete(answer))
                    return answer;
            } catch (const StoreUnavailable &fault) {
                standbyFailed(fault);
            }
        }
        return work(m_primary);
    }

    template <typename Read>
    std::invoke_result_t<Read &, ResultStore &> read(Read work)
    {
        return read(work, [](const auto &) { return true; });
    }

private:
    ResultStore *usableStandby() const;
    void standbyAnswered();
    void standbyFailed(const StoreUnavailable &fault);

    ResultStore &m_primary;
    ResultStore *m_standby;
    StandbyHealth &m_health;
};

} // namespace tarvik::server
