#include "web/page_cache.h"

namespace tarvik::server {

PageCache::PageCache(std::chrono::milliseconds lifetime, std::size_t maxPages)
    : m_lifetime(lifetime), m_maxPages(maxPages)
{
}

std::optional<PageCache::Ticket> PageCache::request(const std::string &key, Clock::time_point now, Answer answer)
{
    if (const http::Response *page = freshPage(key, now)) {
        answer(*page);
        return std::nullopt;
    }
    if (const auto joined = m_joinable.find(key); joined != m_joinable.end()) {
        m_renders.at(joined->second).waiting.push_back(std::move(answer));
        return std::nullopt;
    }
    const Ticket ticket = m_nextTicket++;
    Render &render = m_renders[ticket];
    render.key = key;
    render.waiting.push_back(std::move(answer));
    if (m_lifetime.count() > 0)
        m_joinable.emplace(key, ticket);
    return ticket;
}

void PageCache::fill(Ticket ticket, const http::Response &response, Clock::time_point now)
{
    const auto found = m_renders.find(ticket);
    if (found == m_renders.end())
        return;
    Render render = std::move(found->second);
    m_renders.erase(found);
    const auto joinable = m_joinable.find(render.key);
    if (joinable != m_joinable.end() && joinable->second == ticket) {
        m_joinable.erase(joinable);
        if (response.status == 200)
            keep(render.key, response, now);
    }
    // Last, with the cache in order: an answer may well bring the next request.
    for (const Answer &answer : render.waiting)
        answer(response);
}

void PageCache::invalidate()
{
    m_pages.clear();
    m_ages.clear();
    m_joinable.clear();
}

const http::Response *PageCache::freshPage(const std::string &key, Clock::time_point now)
{
    const auto found = m_pages.find(key);
    if (found == m_pages.end())
        return nullptr;
    if (now - found->second.storedAt < m_lifetime)
        return &found->second.response;
    forget(key);
    return nullptr;
}

void PageCache::keep(const std::string &key, const http::Response &response, Clock::time_point now)
{
    forget(key);
    if (!m_ages.empty() && m_pages.size() >= m_maxPages) {
        m_pages.erase(m_ages.front());
        m_ages.pop_front();
    }
    m_ages.push_back(key);
    m_pages.emplace(key, Page{response, now, std::prev(m_ages.end())});
}

void PageCache::forget(const std::string &key)
{
    const auto found = m_pages.find(key);
    if (found == m_pages.end())
        return;
    m_ages.erase(found->second.age);
    m_pages.erase(found);
}

} // namespace tarvik::server
