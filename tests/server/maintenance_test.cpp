#include "server_process.h"
#include "submissions.h"
#include "tcp_client.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gmock/gmock.h>

using ::testing::HasSubstr;

namespace tarvik::server::testing {
namespace {

TEST(Maintenance, RemoveTakesAResultDownAndExportWritesTheRest)
{
    QTemporaryDir folder;
    const QString database = folder.filePath(QStringLiteral("results.sqlite"));
    ServerProcess server(database);
    server.start();
    const HardwareFields machine = reportMachine();
    const auto first =
        resultIds(exchange(server.tcpPort(), submitMessage("Ann", "", machine, 4, {{6, 20.5}, {11, 600}})));
    const auto second = resultIds(exchange(server.tcpPort(), submitMessage("Bo", "", machine, 4, {{6, 21}})));
    ASSERT_EQ(first.size(), 2u);
    ASSERT_EQ(second.size(), 1u);
    const QString removed = QString::number(first.at(6));

    // Beside the running server, on the same file.
    const ToolRun removal =
        runServerTool({QStringLiteral("--database"), database, QStringLiteral("--remove"), removed});
    EXPECT_EQ(removal.status, 0) << removal.output;
    EXPECT_EQ(removal.output, "Removed result " + removed.toStdString() + ".\n");
    EXPECT_EQ(exchange(server.tcpPort(), getMessage(removed.toStdString())),
              "There is no result with id " + removed.toStdString() + ".\r\n");
    EXPECT_EQ(runServerTool({QStringLiteral("--database"), database, QStringLiteral("--remove"), removed}).status, 1);

    const QJsonArray results = exportedResults(database);
    ASSERT_EQ(results.size(), 2);
    EXPECT_EQ(results[0]["id"].toInteger(), first.at(11));
    EXPECT_EQ(results[0]["submitter"].toString(), "Ann");
    EXPECT_EQ(results[1]["id"].toInteger(), second.at(6));
    EXPECT_EQ(results[1]["processor"]["memoryType"].toString(), "DDR2");
}

TEST(Maintenance, HelpNamesTheOptions)
{
    const ToolRun help = runServerTool({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    for (const char *option : {"--address", "--tcp-port", "--http-port", "--database", "--remove", "--export"})
        EXPECT_THAT(help.output, HasSubstr(option));
}

} // namespace
} // namespace tarvik::server::testing
