#pragma once

#include "http/http_response.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tarvik::server {

// Pages that read the same for every visitor, kept for a short while so a
// burst of visitors costs one render per page. While a page is being
// rendered, further requests for it wait for that render instead of starting
// their own. A change to the results drops every page at once; a change made
// by another process shows when the pages it touches run out of time.
//
// Not thread-safe: the web side keeps it on its event loop, and the clock
// comes in with every call, so its tests need no sleeping.
class PageCache {
public:
    using Clock = std::chrono::steady_clock;
    using Answer = std::function<void(const http::Response &)>;
    // One render the caller has to do and hand back with fill().
    using Ticket = std::uint64_t;

    // `lifetime` 0 keeps nothing and joins no render: every request renders
    // its own page.
    PageCache(std::chrono::milliseconds lifetime, std::size_t maxPages);

    // Answers a request for `key`: at once from a page that is still fresh,
    // or later, when the render already under way for `key` is filled
    // (both give nothing back); else gives the ticket of a render the caller
    // starts, and `answer` waits for it.
    std::optional<Ticket> request(const std::string &key, Clock::time_point now, Answer answer);
    // Answers everyone waiting on `ticket`. Only a successful page is kept,
    // and only when no change came while it was rendered.
    void fill(Ticket ticket, const http::Response &response, Clock::time_point now);
    // The results changed: no page kept so far is answered again, and no
    // render under way is joined or kept.
    void invalidate();

private:
    struct Page {
        http::Response response;
        Clock::time_point storedAt;
        std::list<std::string>::iterator age;
    };
    struct Render {
        std::string key;
        std::vector<Answer> waiting;
    };

    const http::Response *freshPage(const std::string &key, Clock::time_point now);
    void keep(const std::string &key, const http::Response &response, Clock::time_point now);
    void forget(const std::string &key);

    std::chrono::milliseconds m_lifetime;
    std::size_t m_maxPages;
    std::unordered_map<std::string, Page> m_pages;
    // Keys of the kept pages, oldest first.
    std::list<std::string> m_ages;
    std::unordered_map<Ticket, Render> m_renders;
    // The render each key's requests may join: one started since the last change.
    std::unordered_map<std::string, Ticket> m_joinable;
    Ticket m_nextTicket = 1;
};

} // namespace tarvik::server
