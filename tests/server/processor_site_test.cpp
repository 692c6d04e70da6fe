// The processor page, the comparison and the result card against the real
// server on both databases: accepted, listed results only, markup shown as
// text, and clear refusals.
#include "foundation/url_text.h"
#include "hardware/clock_check.h"
#include "hardware/processor_fields.h"
#include "protocol_suite.h"
#include "submissions.h"

#include <QXmlStreamReader>
#include <gmock/gmock.h>

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace tarvik::server::testing {
namespace {

// A processor whose model name carries markup and states its cores.
HardwareFields markupMachine()
{
    ClockCheck check;
    HardwareFields fields;
    describeProcessors(
        {{"<i>Evil</i> 4-Core CPU & Co", 3000, 1024}}, check, '.', [](const std::string &) {}, fields);
    return fields;
}

const std::string Scanned = "AMD Athlon(tm) 64 X2 Dual Core Processor 4200+";

std::string body(const std::string &response)
{
    return response.substr(response.find("\r\n\r\n") + 4);
}

std::string link(std::int64_t id)
{
    return "href=\"/score.cgi?id=" + std::to_string(id) + "\"";
}

const std::string Submitter = "<b>Zo\xC3\xAB</b>";
const std::string Description = "<script>alert(1)</script>";

// Two processors on a running server: the scanned one with times at 1, 2
// and 4 threads, each of its own (a repeated time is the stored result) (one of them held for review, one hidden by its
// submitter), and one of markup.
class Results {
public:
    explicit Results(const ServerProcess &server) : m_server(server)
    {
        const HardwareFields scanned = scanMachine();
        const auto first = ids(submitMessage(Submitter, Description, scanned, 1, {{6, 8.0}, {11, 250.0}}));
        single = first.at(6);
        longRun = first.at(11);
        for (const double seconds : {8.2, 8.4})
            visible.push_back(ids(submitMessage(Submitter, "", scanned, 1, {{6, seconds}})).at(6));
        for (int i = 0; i < 10; ++i)
            visible.push_back(ids(submitMessage("Usual", "", scanned, 2, {{6, 4.0 + i * 0.1}})).at(6));
        held = ids(submitMessage("Quick", "", scanned, 2, {{6, 1.0}})).at(6);
        visible.push_back(ids(submitMessage("Wide", "", scanned, 4, {{6, 4.25}})).at(6));
        const std::string hiding = exchange(m_server.tcpPort(), submitMessage("Shy", "", scanned, 1, {{6, 7.0}}));
        hidden = resultIds(hiding).at(6);
        const Management key = managementIn(hiding).value();
        hid = httpExchange(m_server.httpPort(), "POST", "/manage",
                           "submission=" + key.submission + "&key=" + key.key + "&action=hide");
        other = ids(submitMessage(Submitter, "", markupMachine(), 4, {{6, 3.0}})).at(6);
    }

    std::string web(const std::string &target) const { return httpGet(m_server.httpPort(), target); }

    std::int64_t single = 0, longRun = 0, held = 0, hidden = 0, other = 0;
    std::vector<std::int64_t> visible;
    std::string hid; // the answer to hiding

private:
    std::map<int, std::int64_t> ids(const std::string &message) const
    {
        return resultIds(exchange(m_server.tcpPort(), message));
    }

    const ServerProcess &m_server;
};

TEST_P(ProtocolTest, ProcessorPageSummarizesAndListsItsAcceptedListedResultsOnly)
{
    startServer();
    const Results results(*m_server);
    ASSERT_THAT(results.hid, StartsWith("HTTP/1.1 200 "));
    // The score page's processor name is the key of the processor page.
    const std::string address = "/processor?name=" + percentEncoded(Scanned);
    EXPECT_THAT(results.web("/score.cgi?id=" + std::to_string(results.single)), HasSubstr("href=\"" + address + "\""));

    const std::string page = results.web(address);
    EXPECT_THAT(page, StartsWith("HTTP/1.1 200 "));
    EXPECT_THAT(page, HasSubstr("15 accepted results of this processor; its name states 2 cores."));
    // 32M on one thread: 8, 8.2 and 8.4 s; the results.hidden 7 s is not among them.
    EXPECT_THAT(page, HasSubstr("<td>32M (speed test)</td><td class=\"number\">1</td><td class=\"number\">3</td>"
                                "<td class=\"number\">8 s</td><td class=\"number\">8 s</td>"
                                "<td class=\"number\">8.2 s</td><td class=\"number\">8.2 s</td>"));
    // Ten at two threads, the results.held 1 s left out: 4 s to 4.9 s.
    EXPECT_THAT(page, HasSubstr("<td class=\"number\">2</td><td class=\"number\">10</td><td class=\"number\">4 s</td>"
                                "<td class=\"number\">4 s</td><td class=\"number\">4.4 s</td>"
                                "<td class=\"number\">4.8 s</td>"));
    EXPECT_THAT(page, HasSubstr("<td>1024M (stability test)</td><td class=\"number\">1</td><td class=\"number\">1</td>"
                                "<td class=\"number\">250 s</td>"));
    EXPECT_THAT(page, HasSubstr("2 cores</text>"));
    EXPECT_THAT(page, HasSubstr("ideal scaling from one thread"));
    EXPECT_THAT(page, HasSubstr("<form class=\"list\" method=\"get\" action=\"/compare\">"));
    for (const std::int64_t id : {results.single, results.longRun})
        EXPECT_THAT(page, HasSubstr("name=\"ids\" value=\"" + std::to_string(id) + "\""));
    for (const std::int64_t id : {results.held, results.hidden, results.other})
        EXPECT_THAT(page, Not(HasSubstr(link(id)))) << id;
    EXPECT_THAT(page, HasSubstr("&lt;b&gt;Zo\xC3\xAB&lt;/b&gt;"));
    EXPECT_THAT(page, Not(HasSubstr("<b>")));

    // 15 results, newest first: the second page holds nothing.
    EXPECT_THAT(results.web(address + "&page=1"), HasSubstr(link(results.visible.back())));
    EXPECT_THAT(results.web(address + "&page=2"), Not(HasSubstr("score.cgi?id=")));

    const std::string markup = results.web("/processor?name=" + percentEncoded("<i>Evil</i> 4-Core CPU & Co"));
    EXPECT_THAT(markup, HasSubstr("<h1 class=\"processor\">&lt;i&gt;Evil&lt;/i&gt; 4-Core CPU &amp; Co</h1>"));
    EXPECT_THAT(markup, HasSubstr("1 accepted result of this processor; its name states 4 cores."));
    EXPECT_THAT(markup, HasSubstr(link(results.other)));
    EXPECT_THAT(markup, Not(HasSubstr("<i>")));

    for (const std::string &unknown : {std::string("/processor"), "/processor?name=" + percentEncoded("AMD")})
        EXPECT_THAT(results.web(unknown), StartsWith("HTTP/1.1 404 ")) << unknown;
}

TEST_P(ProtocolTest, ComparisonSetsResultsSideBySideAndRefusesClearly)
{
    startServer();
    const Results results(*m_server);
    const std::string page =
        results.web("/compare?ids=" + std::to_string(results.single) + "," + std::to_string(results.other));
    EXPECT_THAT(page, StartsWith("HTTP/1.1 200 "));
    EXPECT_THAT(page, HasSubstr("<td>reference</td><td>-62.5 %</td>"));
    EXPECT_THAT(page, HasSubstr("&lt;script&gt;alert(1)&lt;/script&gt;"));
    EXPECT_THAT(page, HasSubstr("&lt;i&gt;Evil&lt;/i&gt; 4-Core CPU &amp; Co"));
    EXPECT_THAT(page, Not(HasSubstr("<script")));
    EXPECT_THAT(page, Not(HasSubstr("<i>")));
    // As the processor page's check boxes send it.
    EXPECT_THAT(results.web("/compare?ids=" + std::to_string(results.other) + "&ids=" + std::to_string(results.single)),
                HasSubstr("<td>reference</td><td>+166.67 %</td>"));

    const std::string some = std::to_string(results.single);
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"/compare", "HTTP/1.1 400 "},
        {"/compare?ids=" + some + ",x", "HTTP/1.1 400 "},
        {"/compare?ids=1,2,3,4,5", "HTTP/1.1 400 "},
        {"/compare?ids=" + some + "," + std::to_string(results.hidden), "HTTP/1.1 404 "},
        {"/compare?ids=" + std::to_string(results.held), "HTTP/1.1 404 "},
        {"/compare?ids=99999", "HTTP/1.1 404 "},
    };
    for (const auto &[target, status] : refused) {
        const std::string answer = results.web(target);
        EXPECT_THAT(answer, StartsWith(status)) << target;
        EXPECT_THAT(answer, HasSubstr("<h1>")) << target;
    }
    EXPECT_THAT(results.web("/compare?ids=1,2,3,4,5"),
                HasSubstr("At most 4 results can be compared at once; 5 were asked for."));
    EXPECT_THAT(results.web("/compare?ids=" + some + "," + std::to_string(results.hidden)),
                HasSubstr("There is no accepted, listed result with id " + std::to_string(results.hidden) + "."));
}

TEST_P(ProtocolTest, CardIsAnSvgDocumentWithItsTextsEscaped)
{
    startServer();
    const Results results(*m_server);
    const std::string answer = results.web("/score.svg?id=" + std::to_string(results.single));
    EXPECT_THAT(answer, StartsWith("HTTP/1.1 200 "));
    EXPECT_THAT(answer, HasSubstr("Content-Type: image/svg+xml\r\n"));
    const std::string card = body(answer);
    QXmlStreamReader xml(QByteArray::fromStdString(card));
    while (!xml.atEnd())
        xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << "\n" << card;
    for (const std::string &shown :
         {std::string("8 s on 1 thread"), Scanned, std::string("by &lt;b&gt;Zo\xC3\xAB&lt;/b&gt;"),
          std::string("Verdict: accepted"), std::string("32M (speed test)")})
        EXPECT_THAT(card, HasSubstr(shown));
    EXPECT_THAT(body(results.web("/score.svg?id=" + std::to_string(results.other))),
                HasSubstr("&lt;i&gt;Evil&lt;/i&gt;"));
    for (const std::int64_t id : {results.held, results.hidden, std::int64_t{0}})
        EXPECT_THAT(results.web("/score.svg?id=" + std::to_string(id)), StartsWith("HTTP/1.1 404 ")) << id;
}

} // namespace
} // namespace tarvik::server::testing
