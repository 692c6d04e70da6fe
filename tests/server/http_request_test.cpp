#include "http/http_request.h"
#include "http/http_response.h"

#include <gmock/gmock.h>

using namespace std::string_literals;
using ::testing::HasSubstr;
using ::testing::Not;

namespace tarvik::server::http {
namespace {

constexpr std::size_t HeadLimit = 256;
constexpr std::size_t BodyLimit = 16;

std::string get(const std::string &target, const std::string &fields = "Host: a\r\n")
{
    return "GET " + target + " HTTP/1.1\r\n" + fields + "\r\n";
}

// Every request the reader gives, up to the first result that is none.
std::vector<Request> requests(RequestReader &reader, ReadResult *last = nullptr)
{
    std::vector<Request> taken;
    for (ReadResult result = reader.next();; result = reader.next()) {
        if (auto *request = std::get_if<Request>(&result)) {
            taken.push_back(std::move(*request));
            continue;
        }
        if (last)
            *last = std::move(result);
        return taken;
    }
}

ReadResult firstResult(const std::string &bytes)
{
    RequestReader reader(HeadLimit, BodyLimit);
    reader.feed(bytes);
    return reader.next();
}

Request firstRequest(const std::string &bytes)
{
    const ReadResult result = firstResult(bytes);
    const auto *request = std::get_if<Request>(&result);
    EXPECT_NE(request, nullptr) << bytes;
    return request ? *request : Request{};
}

int refusalStatus(const ReadResult &result)
{
    const auto *refusal = std::get_if<Refusal>(&result);
    return refusal ? refusal->status : 0;
}

TEST(HttpRequest, RefusesHeadsThatAreMalformedOrAmbiguous)
{
    const struct {
        std::string head;
        int status;
    } cases[] = {
        {"GET  / HTTP/1.1\r\nHost: a\r\n\r\n", 400},
        {"GET / HTTP/1.1 \r\nHost: a\r\n\r\n", 400},
        {"GET /a b HTTP/1.1\r\nHost: a\r\n\r\n", 400},
        {"GET /\tb HTTP/1.1\r\nHost: a\r\n\r\n", 400},
        {"GET /\x01 HTTP/1.1\r\nHost: a\r\n\r\n", 400},
        {"GET /\x7f HTTP/1.1\r\nHost: a\r\n\r\n", 400},
        {"GET /\r HTTP/1.1\r\nHost: a\r\n\r\n", 400},
        {"GET http://a/ HTTP/1.1\r\nHost: a\r\n\r\n", 400},
        {"OPTIONS * HTTP/1.1\r\nHost: a\r\n\r\n", 400},
        {"G@T / HTTP/1.1\r\nHost: a\r\n\r\n", 400},
        {"GET /\r\nHost: a\r\n\r\n", 400},
        {"GET / http/1.1\r\nHost: a\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\r\nHost: a\r\n\r\n", 400},
        {"GET / HTTP/2.0\r\nHost: a\r\n\r\n", 505},
        {"GET / HTTP/1.2\r\nHost: a\r\n\r\n", 505},
        {"\r\nGET / HTTP/1.1\r\nHost: a\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nHost: a\r\nhost: b\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nHost : a\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nHost\t: a\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nHost a\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\n: a\r\nHost: a\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nHost: a\r\n folded\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\n\tX: folded\r\nHost: a\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nHost: a\x01z\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nHost: a\rz\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nHost: a\0z\r\n\r\n"s, 400},
        {"GET / HTTP/1.1\r\nHost: a\r\nContent-Length: 1\r\nTransfer-Encoding: chunked\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nHost: a\r\nTransfer-Encoding: chunked\r\nContent-Length: 1\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nHost: a\r\nContent-Length: 1\r\ncontent-length: 1\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nHost: a\r\nContent-Length: 1, 1\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nHost: a\r\nContent-Length: -1\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nHost: a\r\nContent-Length: +1\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nHost: a\r\nContent-Length:\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nHost: a\r\nContent-Length: 18446744073709551616\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nHost: a\r\nContent-Length: 18446744073709551615\r\n\r\n", 413},
        {"GET / HTTP/1.1\r\nHost: a\r\nContent-Length: 17\r\n\r\n", 413},
        {"GET / HTTP/1.1\r\nHost: a\r\nTransfer-Encoding: chunked\r\n\r\n", 501},
        {"GET / HTTP/1.0\r\nTRANSFER-ENCODING: identity\r\n\r\n", 501},
    };
    for (const auto &request : cases)
        EXPECT_EQ(refusalStatus(firstResult(request.head)), request.status) << request.head;
}

TEST(HttpRequest, TakesLenientLineEndsBlanksAndAnyCaseOfNames)
{
    for (const std::string head : {"GET /x HTTP/1.1\nHost: a\n\n", "GET /x HTTP/1.1\r\nHost: a\n\r\n",
                                   "GET /x HTTP/1.1\nhOST:\t a \t\r\nX: tab\there\ncontent-LENGTH: 016\r\n\r\n"
                                   "0123456789abcdef",
                                   "GET /x HTTP/1.0\r\n\r\n"}) {
        RequestReader reader(HeadLimit, BodyLimit);
        reader.feed(head);
        const std::vector<Request> taken = requests(reader);
        ASSERT_EQ(taken.size(), 1u) << head;
        EXPECT_EQ(taken[0].path, "/x");
        EXPECT_FALSE(reader.hasPending()) << head;
    }
}

TEST(HttpRequest, PipelinedRequestsComeOutInOrderAndWhole)
{
    const std::string stream = get("/one") + "POST /two?a=1 HTTP/1.1\r\nHost: a\r\nContent-Length: 5\r\n\r\nGET /" +
                               get("/three", "Host: a\r\nConnection: close\r\n");
    const std::string nextStart = "HEAD /fo";

    RequestReader whole(HeadLimit, BodyLimit);
    whole.feed(stream + nextStart);
    const std::vector<Request> taken = requests(whole);
    ASSERT_EQ(taken.size(), 3u);
    EXPECT_EQ(taken[0].target, "/one");
    EXPECT_EQ(taken[1].method, "POST");
    EXPECT_EQ(taken[1].target, "/two?a=1");
    EXPECT_EQ(taken[2].target, "/three");
    EXPECT_FALSE(taken[2].keepAlive);
    EXPECT_TRUE(whole.hasPending());
    whole.feed("o HTTP/1.0\r\n\r\n");
    ReadResult last;
    const std::vector<Request> fourth = requests(whole, &last);
    ASSERT_EQ(fourth.size(), 1u);
    EXPECT_EQ(fourth[0].target, "/foo");
    EXPECT_TRUE(std::holds_alternative<Incomplete>(last));
    EXPECT_FALSE(whole.hasPending());

    RequestReader byteByByte(HeadLimit, BodyLimit);
    std::vector<Request> piecewise;
    for (const char byte : stream) {
        byteByByte.feed(std::string_view(&byte, 1));
        for (Request &request : requests(byteByByte))
            piecewise.push_back(std::move(request));
    }
    EXPECT_EQ(piecewise, taken);
}

// Slow clients send a large head a byte at a time; each byte is looked at
// once, so this stays quick however the search for the head's end resumes.
TEST(HttpRequest, ALargeHeadFedAByteAtATimeComesOutWhole)
{
    const std::string head = get("/big", "Host: a\r\nX-Filler: " + std::string(60000, 'f') + "\r\n");
    RequestReader reader(65536, BodyLimit);
    std::vector<Request> taken;
    for (std::size_t at = 0; at < head.size(); ++at) {
        reader.feed(std::string_view(head).substr(at, 1));
        taken = requests(reader);
        ASSERT_EQ(taken.empty(), at + 1 < head.size()) << at;
        ASSERT_EQ(reader.hasPending(), taken.empty()) << at;
    }
    EXPECT_EQ(taken[0].path, "/big");
}

TEST(HttpRequest, ABodyIsWaitedForAndReadAsAFormBeforeTheNextRequest)
{
    RequestReader reader(HeadLimit, BodyLimit);
    reader.feed("POST /a HTTP/1.1\r\nHost: a\r\nContent-Length: 16\r\n\r\nGET / HTTP/1.0\n");
    EXPECT_TRUE(std::holds_alternative<Incomplete>(reader.next()));
    EXPECT_TRUE(reader.hasPending());
    // The body ends in what looks like the end of a head: it is still the body.
    reader.feed("\n");
    reader.feed(get("/c"));
    const std::vector<Request> taken = requests(reader);
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].path, "/a");
    EXPECT_EQ(taken[1].path, "/c");
    EXPECT_FALSE(reader.hasPending());
    EXPECT_TRUE(taken[1].form.empty());

    // A form arriving in pieces, decoded by the query's rules.
    reader.feed("POST /m HTTP/1.1\r\nHost: a\r\nContent-Length: 13\r\n\r\nkey=a%2");
    reader.feed("0b&x=+");
    const std::vector<Request> posted = requests(reader);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].form, (std::vector<std::pair<std::string, std::string>>{{"key", "a b"}, {"x", " "}}));
    EXPECT_EQ(*posted[0].formField("key"), "a b");
    EXPECT_EQ(posted[0].formField("action"), nullptr);
}

TEST(HttpRequest, DecodesThePathAndTheQuery)
{
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    const struct {
        std::string target;
        std::string path;
        Pairs query;
    } cases[] = {
        {"/a%20b/c+d", "/a b/c+d", {}},
        {"/?x=1&y=%41+B%2b", "/", {{"x", "1"}, {"y", "A B+"}}},
        {"/s?k&=v&a=b=c", "/s", {{"k", ""}, {"", "v"}, {"a", "b=c"}}},
        {"/s?&&a=1&", "/s", {{"a", "1"}}},
        {"/s?", "/s", {}},
        {"/%zz?a=%zz&b=%4&c=%&d=%4g", "/%zz", {{"a", "%zz"}, {"b", "%4"}, {"c", "%"}, {"d", "%4g"}}},
        {"/%00?n%3D=%00%ff", "/\0"s, {{"n=", "\0\xff"s}}},
        {"/x?a=1#b=2", "/x", {{"a", "1"}}},
        {"/x#frag?b=2", "/x", {}},
    };
    for (const auto &expected : cases) {
        const Request request = firstRequest(get(expected.target));
        EXPECT_EQ(request.target, expected.target);
        EXPECT_EQ(request.path, expected.path) << expected.target;
        EXPECT_EQ(request.query, expected.query) << expected.target;
    }
}

TEST(HttpRequest, AParameterIsItsFirstValue)
{
    const Request request = firstRequest(get("/?id=1&id=2&empty"));
    ASSERT_NE(request.parameter("id"), nullptr);
    EXPECT_EQ(*request.parameter("id"), "1");
    ASSERT_NE(request.parameter("empty"), nullptr);
    EXPECT_EQ(*request.parameter("empty"), "");
    EXPECT_EQ(request.parameter("ID"), nullptr);
}

TEST(HttpRequest, KeepsTheConnectionAsTheVersionAndConnectionFieldAsk)
{
    const struct {
        std::string version;
        std::string fields;
        bool keepAlive;
    } cases[] = {
        {"HTTP/1.1", "", true},
        {"HTTP/1.1", "Connection: close\r\n", false},
        {"HTTP/1.1", "connection: Upgrade, CLOSE\r\n", false},
        {"HTTP/1.1", "Connection: keep-alive\r\nConnection: close\r\n", false},
        {"HTTP/1.1", "Connection: closed\r\n", true},
        {"HTTP/1.0", "", false},
        {"HTTP/1.0", "Connection: Keep-Alive\r\n", true},
        {"HTTP/1.0", "Connection: x ,\tkeep-alive\r\n", true},
        {"HTTP/1.0", "Connection: keep-alive, close\r\n", false},
        {"HTTP/1.0", "X-Connection: keep-alive\r\n", false},
    };
    for (const auto &request : cases) {
        const std::string head = "GET / " + request.version + "\r\nHost: a\r\n" + request.fields + "\r\n";
        EXPECT_EQ(firstRequest(head).keepAlive, request.keepAlive) << head;
    }
}

TEST(HttpRequest, AHeadBeyondTheLimitIsRefusedBeforeItsEndArrives)
{
    const std::string fits = get("/", "Host: a\r\nX: " + std::string(HeadLimit - 32, 'x') + "\r\n");
    ASSERT_EQ(fits.size(), HeadLimit);
    EXPECT_TRUE(std::holds_alternative<Request>(firstResult(fits)));

    const std::string longFields = "GET / HTTP/1.1\r\nHost: a\r\nX: " + std::string(HeadLimit, 'x');
    const std::string longTarget = "GET /" + std::string(HeadLimit, 'x');
    const std::string longTargetEnded = "GET /" + std::string(HeadLimit, 'x') + " HTTP/1.1\r\nHost: a\r\n\r\n";
    const struct {
        std::string bytes;
        int status;
    } cases[] = {
        {longFields.substr(0, HeadLimit), 0},
        {longFields.substr(0, HeadLimit + 1), 431},
        {fits.substr(0, HeadLimit - 2) + "Y: 1\r\n\r\n", 431},
        {longTarget.substr(0, HeadLimit), 0},
        {longTarget.substr(0, HeadLimit + 1), 414},
        {longTargetEnded, 414},
    };
    for (const auto &request : cases)
        EXPECT_EQ(refusalStatus(firstResult(request.bytes)), request.status) << request.bytes.size();
}

TEST(HttpRequest, GivesNothingMoreAfterARefusal)
{
    RequestReader reader(HeadLimit, BodyLimit);
    reader.feed("GET / HTTP/1.1\r\nHost : a\r\n\r\n" + get("/next"));
    EXPECT_EQ(refusalStatus(reader.next()), 400);
    EXPECT_FALSE(reader.hasPending());
    reader.feed(get("/later"));
    EXPECT_TRUE(std::holds_alternative<Incomplete>(reader.next()));
    EXPECT_FALSE(reader.hasPending());
}

TEST(HttpResponse, CarriesItsLengthTheConnectionAndTheSafetyHeaders)
{
    const Response page{404, "text/html; charset=utf-8", "<p>gone</p>"};
    const std::string bytes = responseBytes(page, true, false);
    const std::size_t headEnd = bytes.find("\r\n\r\n");
    ASSERT_NE(headEnd, std::string::npos);
    const std::string head = bytes.substr(0, headEnd + 2);
    EXPECT_TRUE(head.starts_with("HTTP/1.1 404 Not Found\r\n")) << head;
    for (const char *line :
         {"\r\nContent-Type: text/html; charset=utf-8\r\n", "\r\nContent-Length: 11\r\n",
          "\r\nConnection: keep-alive\r\n",
          "\r\nContent-Security-Policy: default-src 'none'; style-src 'unsafe-inline'; base-uri 'none'; "
          "form-action 'self'; frame-ancestors 'none'\r\n",
          "\r\nX-Content-Type-Options: nosniff\r\n", "\r\nX-Frame-Options: DENY\r\n",
          "\r\nReferrer-Policy: no-referrer\r\n", "\r\nCache-Control: no-store\r\n"})
        EXPECT_THAT(head, HasSubstr(line));
    EXPECT_EQ(bytes.substr(headEnd + 4), page.body);

    // A HEAD answer announces the body it leaves out.
    const std::string headOnly = responseBytes({200, "", "abc"}, false, true);
    EXPECT_TRUE(headOnly.starts_with("HTTP/1.1 200 OK\r\n"));
    EXPECT_THAT(headOnly, HasSubstr("\r\nContent-Length: 3\r\n"));
    EXPECT_THAT(headOnly, HasSubstr("\r\nConnection: close\r\n"));
    EXPECT_TRUE(headOnly.ends_with("\r\n\r\n"));
    EXPECT_THAT(headOnly, Not(HasSubstr("\r\nContent-Type:")));
    EXPECT_STREQ(reasonPhrase(299), "Unknown");
}

} // namespace
} // namespace tarvik::server::http
