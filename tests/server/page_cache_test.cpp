#include "web/page_cache.h"

#include <gmock/gmock.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tarvik::server {
namespace {

using namespace std::chrono_literals;

// One thing happening to the cache, at `atMs` on its clock.
struct Step {
    enum class Kind { Ask, Fill, Change } kind;
    int atMs = 0;
    std::string key;  // Ask: the page asked for
    int request = 0;  // Fill: the request (counted from 1) whose render is done
    int status = 200; // Fill
};

Step ask(int atMs, std::string key)
{
    return {Step::Kind::Ask, atMs, std::move(key), 0, 0};
}
Step fill(int atMs, int request, int status = 200)
{
    return {Step::Kind::Fill, atMs, {}, request, status};
}
Step change(int atMs)
{
    return {Step::Kind::Change, atMs, {}, 0, 0};
}

// What the steps led to: the requests that had to render, and each answer
// in the order given, as "request <- key#request that rendered it".
struct Outcome {
    std::vector<int> rendered;
    std::vector<std::string> answers;
};

Outcome run(std::chrono::milliseconds lifetime, const std::vector<Step> &steps)
{
    constexpr std::size_t MaxPages = 2;
    PageCache cache(lifetime, MaxPages);
    const PageCache::Clock::time_point start{};
    Outcome outcome;
    std::map<int, PageCache::Ticket> tickets;
    std::map<int, std::string> keys;
    int requests = 0;
    for (const Step &step : steps) {
        const PageCache::Clock::time_point now = start + std::chrono::milliseconds(step.atMs);
        if (step.kind == Step::Kind::Ask) {
            const int request = ++requests;
            keys[request] = step.key;
            const auto ticket = cache.request(step.key, now, [&outcome, request](const http::Response &response) {
                outcome.answers.push_back(std::to_string(request) + " <- " + response.body);
            });
            if (ticket) {
                tickets[request] = *ticket;
                outcome.rendered.push_back(request);
            }
        } else if (step.kind == Step::Kind::Fill) {
            const http::Response page{step.status, http::HtmlType,
                                      keys.at(step.request) + "#" + std::to_string(step.request)};
            cache.fill(tickets.at(step.request), page, now);
        } else {
            cache.invalidate();
        }
    }
    return outcome;
}

TEST(PageCache, AnswersEachKeyFromOneRenderUntilItExpiresOrTheResultsChange)
{
    const struct {
        const char *name;
        std::chrono::milliseconds lifetime;
        std::vector<Step> steps;
        std::vector<int> rendered;
        std::vector<std::string> answers;
    } cases[] = {
        {"a fresh page is answered without a render",
         1000ms,
         {ask(0, "/"), fill(5, 1), ask(900, "/")},
         {1},
         {"1 <- /#1", "2 <- /#1"}},
        {"a page is fresh for its lifetime from when it was filled",
         1000ms,
         {ask(0, "/"), fill(300, 1), ask(1299, "/"), ask(1300, "/"), fill(1310, 3), ask(1400, "/")},
         {1, 3},
         {"1 <- /#1", "2 <- /#1", "3 <- /#3", "4 <- /#3"}},
        {"requests during a render wait for it, whatever came first",
         1000ms,
         {ask(0, "/"), ask(1, "/"), ask(2, "/?page6=2"), ask(3, "/"), fill(4, 3), fill(5, 1)},
         {1, 3},
         {"3 <- /?page6=2#3", "1 <- /#1", "2 <- /#1", "4 <- /#1"}},
        {"the page and its data are pages of their own",
         1000ms,
         {ask(0, "/"), fill(1, 1), ask(2, "/api/results"), fill(3, 2), ask(4, "/api/results"), ask(5, "/")},
         {1, 2},
         {"1 <- /#1", "2 <- /api/results#2", "3 <- /api/results#2", "4 <- /#1"}},
        {"a change drops every kept page",
         1000ms,
         {ask(0, "/"), fill(1, 1), ask(2, "/?page11=2"), fill(3, 2), change(4), ask(5, "/"), ask(6, "/?page11=2")},
         {1, 2, 3, 4},
         {"1 <- /#1", "2 <- /?page11=2#2"}},
        {"a render under way at a change answers its waiters, but is neither joined nor kept",
         1000ms,
         {ask(0, "/"), ask(1, "/"), change(2), ask(3, "/"), fill(4, 1), ask(5, "/"), fill(6, 3), ask(7, "/")},
         {1, 3},
         {"1 <- /#1", "2 <- /#1", "3 <- /#3", "4 <- /#3", "5 <- /#3"}},
        {"a page that failed is answered to its waiters and not kept",
         1000ms,
         {ask(0, "/"), ask(1, "/"), fill(2, 1, 503), ask(3, "/")},
         {1, 3},
         {"1 <- /#1", "2 <- /#1"}},
        {"a third page pushes out the oldest",
         1000ms,
         {ask(0, "/a"), fill(0, 1), ask(1, "/b"), fill(1, 2), ask(2, "/c"), fill(2, 3), ask(3, "/b"), ask(4, "/c"),
          ask(5, "/a")},
         {1, 2, 3, 6},
         {"1 <- /a#1", "2 <- /b#2", "3 <- /c#3", "4 <- /b#2", "5 <- /c#3"}},
        {"a page rendered again counts from its new render",
         1000ms,
         {ask(0, "/a"), fill(0, 1), ask(1, "/b"), fill(1, 2), ask(1000, "/a"), fill(1000, 3), ask(1001, "/c"),
          fill(1001, 4), ask(1002, "/a")},
         {1, 2, 3, 4},
         {"1 <- /a#1", "2 <- /b#2", "3 <- /a#3", "4 <- /c#4", "5 <- /a#3"}},
        {"without a lifetime every request renders its own page",
         0ms,
         {ask(0, "/"), ask(0, "/"), fill(0, 2), fill(0, 1), ask(0, "/")},
         {1, 2, 3},
         {"2 <- /#2", "1 <- /#1"}},
    };
    for (const auto &test : cases) {
        const Outcome outcome = run(test.lifetime, test.steps);
        EXPECT_EQ(outcome.rendered, test.rendered) << test.name;
        EXPECT_EQ(outcome.answers, test.answers) << test.name;
    }
}

// An answer may bring the next request at once, from inside fill().
TEST(PageCache, ARequestMadeWhileAnsweringFindsThePageKept)
{
    PageCache cache(1000ms, 2);
    const PageCache::Clock::time_point now{};
    std::vector<std::string> answers;
    std::optional<PageCache::Ticket> again;
    const auto first = cache.request("/", now, [&](const http::Response &response) {
        answers.push_back(response.body);
        again = cache.request("/", now, [&](const http::Response &next) { answers.push_back("again " + next.body); });
    });
    ASSERT_TRUE(first);
    cache.fill(*first, {200, http::HtmlType, "board"}, now);
    EXPECT_FALSE(again);
    EXPECT_EQ(answers, (std::vector<std::string>{"board", "again board"}));
}

} // namespace
} // namespace tarvik::server
