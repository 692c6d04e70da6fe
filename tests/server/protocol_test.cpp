#include "protocol_suite.h"
#include "foundation/protocol.h"
#include "submissions.h"

#include <gmock/gmock.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace tarvik::server::testing {

void ProtocolTest::startServer(const QStringList &extraArguments)
{
    m_server = std::make_unique<ServerProcess>(m_database, extraArguments);
    m_server->start();
}

std::string ProtocolTest::send(const std::string &message)
{
    return exchange(m_server->tcpPort(), message);
}

std::string ProtocolTest::sendAndHalfClose(const std::string &message)
{
    TcpClient client(m_server->tcpPort());
    client.send(message);
    client.halfClose();
    return client.receiveAll();
}

namespace {

const std::string Sep(1, FieldSeparator);

// A test the sender's checksum does not vouch for.
std::string forgedTest(const std::string &test, const std::string &time, const std::string &checksum)
{
    return test + Sep + time + Sep + checksum + Sep;
}

} // namespace

TEST_P(ProtocolTest, StoresEveryVerifiedTestAndReadsItBack)
{
    startServer();
    const HardwareFields machine = reportMachine();
    const std::string message = submitMessage("Ann", "water cooled", machine, 4, {{6, 20.5}, {11, 600.2504}}) +
                                forgedTest("3", "1.5", "ABCDEF");

    const std::string answer = send(message);

    const auto ids = resultIds(answer);
    ASSERT_EQ(ids.size(), 2u) << answer;
    EXPECT_THAT(answer, StartsWith("6 - result id = " + std::to_string(ids.at(6)) +
                                   "\r\n11 - result id = " + std::to_string(ids.at(11)) +
                                   "\r\n6 - accepted (rules version 1)\r\n11 - accepted (rules version 1)\r\n"
                                   "3 - refused: checksum does not match\r\n"
                                   "Hide or delete the results of this submission at http://"));
    EXPECT_NE(ids.at(6), ids.at(11));

    const std::string stored = send(getMessage(std::to_string(ids.at(11))));
    for (const char *line :
         {"Submitter: Ann\r\n", "Description: water cooled\r\n", "Processor: Intel(R) Core(TM)2 CPU 6600 @ 2.40GHz\r\n",
          "Clock: 2400.5 MHz\r\n", "Mainboard: ASUSTeK Computer INC. P5B\r\n", "Threads: 4\r\n",
          "Test: 11 1024M (stability test)\r\n", "Time: 600.25 s\r\n"})
        EXPECT_THAT(stored, HasSubstr(line));
    EXPECT_THAT(stored, HasSubstr(" (verified)\r\n"));

    EXPECT_EQ(send(getMessage("999999")), "There is no result with id 999999.\r\n");
}

TEST_P(ProtocolTest, TakesBothProcessorRecordsInEitherDecimalSeparator)
{
    startServer();
    const struct {
        HardwareFields machine;
        char decimalSeparator;
    } senders[] = {{reportMachine('.'), '.'}, {reportMachine(','), ','}, {scanMachine(), '.'}, {scanMachine(), ','}};
    for (const auto &sender : senders) {
        const std::string answer =
            send(submitMessage("Bo", "", sender.machine, 2, {{6, 12.3456}}, sender.decimalSeparator));
        EXPECT_EQ(resultIds(answer).count(6), 1u) << answer;
    }
}

TEST_P(ProtocolTest, RefusesTestsItCannotVerify)
{
    startServer();
    const HardwareFields machine = reportMachine();
    HardwareFields otherProcessor = machine;
    otherProcessor.hwbotcpu = "AMD Phenom";
    HardwareFields noRecord = machine;
    noRecord.CPU_info.clear();
    const struct {
        std::string message;
        std::string answer;
    } cases[] = {
        {submitMessage("Ann", "", otherProcessor, 4, {{6, 20.5}}), "6 - refused: checksum does not match\r\n"},
        {submitMessage("Ann", "", machine, 4, {}) + forgedTest("17", "1.5", "1"),
         "17 - refused: not a test number from 1 to 16\r\n"},
        {submitMessage("Ann", "", machine, 4, {}) + forgedTest("6", "fast", "1"),
         "6 - refused: the time is not a positive number\r\n"},
        {submitMessage("Ann", "", noRecord, 4, {{6, 20.5}}),
         "6 - refused: no processor description to check the checksum against\r\n"},
        {submitMessage("Ann", "", machine, 4, {}), "The submission holds no test result; nothing was stored.\r\n"},
        // Quick-mode times of both standard tests, with their checksums.
        {submitMessage("Ann", "", machine, 2, {{6, 0.007}, {11, 0.108}}),
         "6 - refused: physical floor: 0.007 s is below the 0.00755 s that any processor needs for 33554432 "
         "numbers on 2 threads\r\n11 - refused: physical floor: 0.108 s is below the 0.2416 s that any processor "
         "needs for 1073741824 numbers on 2 threads\r\n"},
        {submitMessage("Ann", "", machine, 300, {{6, 20.5}}),
         "6 - refused: thread count: 300 threads is not a count from 1 to 256\r\n"},
    };
    for (const auto &refused : cases)
        EXPECT_EQ(send(refused.message), refused.answer);
}

TEST_P(ProtocolTest, AnswersBrokenMessagesWithTheReason)
{
    startServer();
    const std::string valid = submitMessage("Ann", "", reportMachine(), 4, {{6, 20.5}});
    const struct {
        std::string message;
        std::string answer;
    } cases[] = {
        {"HELLO", "Message refused: the message is neither SUBMIT nor GET.\r\n"},
        {"GET / HTTP/1.1\r\nHost: x\r\n\r\n", "Message refused: the message is neither SUBMIT nor GET.\r\n"},
        {"GET" + Sep + "abc" + Sep, "Message refused: the result id is not a whole number from 1 to 2147483647.\r\n"},
        {"GET" + Sep + "1" + Sep + "more", "Message refused: a GET carries only the result id.\r\n"},
        {"SUBMIT" + Sep + "Ann" + Sep, "Message refused: the message ends before its last field.\r\n"},
        {valid.substr(0, valid.size() - 3), "Message refused: the message ends before its last field.\r\n"},
        {"SUBMIT" + Sep + "Ann" + Sep + Sep + "Intel" + Sep + "3000" + Sep + "512" + Sep + "many" + Sep,
         "Message refused: the thread count is not a whole number from 1 to 32767.\r\n"},
    };
    for (const auto &broken : cases)
        EXPECT_EQ(sendAndHalfClose(broken.message), broken.answer);
}

TEST_P(ProtocolTest, AControlByteRefusesOnlyItsOwnSubmission)
{
    // A NUL byte once ended the statement text on PostgreSQL and failed
    // every submission committed with it.
    startServer();
    const HardwareFields machine = reportMachine();
    constexpr int Honest = 31;
    std::vector<std::string> answers(Honest + 1);
    std::vector<std::thread> clients;
    for (int client = 0; client <= Honest; ++client)
        clients.emplace_back([&, client] {
            const std::string name =
                client == Honest ? std::string("Mall\0ory", 8) : "Client " + std::to_string(client);
            answers[static_cast<std::size_t>(client)] =
                sendAndHalfClose(submitMessage(name, "", machine, 4, {{6, 20.0 + client}}));
        });
    for (std::thread &client : clients)
        client.join();
    for (int client = 0; client < Honest; ++client)
        EXPECT_EQ(resultIds(answers[static_cast<std::size_t>(client)]).size(), 1u) << answers[client];
    EXPECT_EQ(answers[Honest], "Message refused: the submitter name holds the control byte 0x00.\r\n");
}

TEST_P(ProtocolTest, MessageInSmallPiecesIsOneSubmission)
{
    // A quiet time far above any pause between the pieces, even on a busy machine.
    startServer({QStringLiteral("--quiet-time"), QStringLiteral("1500")});
    const HardwareFields machine = reportMachine();
    const std::string first = submitMessage("Ann", "", machine, 4, {{6, 20.5}});
    const std::string second = submitMessage("Ann", "", machine, 4, {{6, 20.5}, {11, 600.5}}).substr(first.size());

    TcpClient client(m_server->tcpPort());
    for (std::size_t at = 0; at < first.size(); at += 7) {
        client.send(first.substr(at, 7));
        std::this_thread::sleep_for(2ms);
    }
    // The first test is complete: a pause shorter than the quiet time keeps the message open.
    std::this_thread::sleep_for(100ms);
    client.send(second);
    const std::string answer = client.receiveAll();

    const auto ids = resultIds(answer);
    EXPECT_EQ(ids.size(), 2u) << answer;
    EXPECT_EQ(ids.count(11), 1u) << answer;
}

TEST_P(ProtocolTest, HalfCloseEndsTheMessageAndTheAnswerStillArrives)
{
    // Only the half-close can end the message in time.
    startServer({QStringLiteral("--quiet-time"), QStringLiteral("60000")});
    const auto begun = std::chrono::steady_clock::now();
    const std::string answer = sendAndHalfClose(submitMessage("Ann", "", reportMachine(), 4, {{6, 20.5}}));
    EXPECT_EQ(resultIds(answer).count(6), 1u) << answer;
    EXPECT_LT(std::chrono::steady_clock::now() - begun, 30s);
}

TEST_P(ProtocolTest, DropsOversizeSilentAndSlowClients)
{
    startServer({QStringLiteral("--max-message-size"), QStringLiteral("1024"),
                 QStringLiteral("--connection-time-limit"), QStringLiteral("1500")});

    EXPECT_EQ(send("SUBMIT" + Sep + std::string(2000, 'a')),
              "Message refused: the message is longer than 1024 bytes.\r\n");

    TcpClient silent(m_server->tcpPort());
    EXPECT_EQ(silent.receiveAll(), "Message refused: no complete message within 1500 ms.\r\n");

    // One byte every 300 ms never completes a message in time.
    TcpClient slow(m_server->tcpPort());
    const std::string message = submitMessage("Ann", "", reportMachine(), 4, {{6, 20.5}});
    for (std::size_t at = 0; at < message.size() && !slow.answerWaiting(300ms); ++at)
        slow.send(message.substr(at, 1));
    EXPECT_EQ(slow.receiveAll(), "Message refused: no complete message within 1500 ms.\r\n");

    // The server goes on serving.
    EXPECT_EQ(resultIds(send(message)).count(6), 1u);
}

TEST_P(ProtocolTest, RestartKeepsEveryResult)
{
    startServer();
    const HardwareFields machine = reportMachine();
    std::vector<std::int64_t> ids;
    for (int i = 0; i < 3; ++i) {
        const auto stored = resultIds(
            send(submitMessage(std::string("Run ").append(std::to_string(i)), "", machine, 2, {{6, 20.0 + i}})));
        ASSERT_EQ(stored.size(), 1u);
        ids.push_back(stored.at(6));
    }
    EXPECT_EQ(m_server->stop(), 0);

    startServer();
    for (int i = 0; i < 3; ++i)
        EXPECT_THAT(send(getMessage(std::to_string(ids[i]))),
                    HasSubstr("Submitter: Run " + std::to_string(i) + "\r\n"));
    // New ids go on from the stored ones.
    const auto next = resultIds(send(submitMessage("Run 3", "", machine, 2, {{6, 19.0}})));
    ASSERT_EQ(next.size(), 1u);
    EXPECT_GT(next.at(6), ids.back());
}

TEST_P(ProtocolTest, TellsClientsBeyondTheConnectionLimitThatItIsBusy)
{
    startServer({QStringLiteral("--max-connections"), QStringLiteral("2")});
    TcpClient first(m_server->tcpPort());
    TcpClient second(m_server->tcpPort());
    EXPECT_EQ(exchange(m_server->tcpPort(), ""), "The server is busy; please try again later.\r\n");
}

} // namespace tarvik::server::testing
