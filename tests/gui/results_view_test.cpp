// The results view charts the history this machine's runs left behind.
#include "front_end_fixture.h"

#include "cli/results_history.h"
#include "console/console_submission.h"
#include "gui/link_label.h"
#include "gui/results_view.h"
#include "gui/standing_query.h"
#include "server_process.h"
#include "submissions.h"
#include "submit/result_client.h"
#include "tcp_client.h"

#include <QLabel>
#include <QtCharts/QChartView>
#include <QtCharts/QXYSeries>

using namespace tarvik;
using namespace tarvik::testing;
using namespace tarvik::server::testing;

namespace {

class ResultsView : public FrontEndTest {
protected:
    ResultsView() { qputenv("XDG_DATA_HOME", (homePath() + "/data").toUtf8()); }

    void writeHistory(const QByteArray &lines)
    {
        const QString path = cli::historyFilePath();
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(lines);
    }

    gui::ResultsView *openedView()
    {
        click(openFrontEnd().lblResults);
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *view = qobject_cast<gui::ResultsView *>(widget); view && view->isVisible())
                return view;
        return nullptr;
    }

    // Each chart's series by name, with their points.
    static QMap<QString, QList<QPointF>> seriesOf(QChartView *view)
    {
        QMap<QString, QList<QPointF>> all;
        for (QAbstractSeries *series : view->chart()->series())
            all[series->name()] = static_cast<QXYSeries *>(series)->points();
        return all;
    }
};

TEST_F(ResultsView, ChartsTimePerRunAndAgainstThreadsOfTheStandardTests)
{
    writeHistory(R"({"test":6,"threads":2,"seconds":3.5,"quickMode":false,"errors":false,"date":"2026-12-01T10:00:00Z"}
{"test":11,"threads":2,"seconds":110.25,"quickMode":false,"errors":false}
{"test":6,"threads":4,"seconds":1.75,"quickMode":false,"errors":false}
{"test":6,"threads":4,"seconds":0.002,"quickMode":true,"errors":false}
{"test":6,"threads":8,"seconds":1.5,"quickMode":false,"errors":true}
{"test":3,"threads":4,"seconds":0.2,"quickMode":false,"errors":false}
not json

{"test":6,"threads":8,"seconds":1.25,"quickMode":false,"errors":false}
)");
    gui::ResultsView *view = openedView();
    ASSERT_NE(view, nullptr);
    const QList<QChartView *> charts = view->findChildren<QChartView *>();
    ASSERT_EQ(charts.size(), 2);
    EXPECT_EQ(charts[0]->chart()->title(), "Time per run");
    // Quick-mode runs, runs with errors and other tests stay out.
    EXPECT_EQ(seriesOf(charts[0]), (QMap<QString, QList<QPointF>>{
                                       {"32M (speed test)", {{1, 3.5}, {2, 1.75}, {3, 1.25}}},
                                       {"1024M (stability test)", {{1, 110.25}}},
                                   }));
    EXPECT_EQ(charts[1]->chart()->title(), "Time against thread count");
    EXPECT_EQ(seriesOf(charts[1]), (QMap<QString, QList<QPointF>>{
                                       {"32M (speed test)", {{2, 3.5}, {4, 1.75}, {8, 1.25}}},
                                       {"1024M (stability test)", {{2, 110.25}}},
                                   }));
    EXPECT_TRUE(view->lblSummary->text().startsWith("4 runs of the 32M and 1024M tests"));
    EXPECT_TRUE(view->lblSummary->text().contains("1 unreadable lines were left out."));
}

TEST_F(ResultsView, WithoutAHistoryItSaysSoAndWhereItLooked)
{
    gui::ResultsView *view = openedView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->findChildren<QChartView *>().isEmpty());
    EXPECT_EQ(view->lblSummary->text(),
              "No runs of the 32M or 1024M test in the history yet (" + cli::historyFilePath() + ").");
}

// The results view asks the project's own result server, a real process on
// loopback, where this machine's best times stand.
class ResultsViewWithServer : public ResultsView {
protected:
    ResultsViewWithServer()
    {
        console->hw = reportMachine();
        writeHistory(R"({"test":6,"threads":2,"seconds":3.5,"quickMode":false,"errors":false}
{"test":6,"threads":2,"seconds":2.1254,"quickMode":false,"errors":false}
{"test":11,"threads":2,"seconds":70.0,"quickMode":false,"errors":false}
)");
    }

    void useServerOnPorts(int tcpPort, int httpPort)
    {
        console->submission().client().setServer(
            {"127.0.0.1", static_cast<std::uint16_t>(tcpPort), static_cast<std::uint16_t>(httpPort)});
    }

    void submit(const std::string &submitter, const HardwareFields &machine, const std::vector<server::testing::Record> &records)
    {
        const std::string answer = exchange(server.tcpPort(), submitMessage(submitter, "", machine, 2, records));
        ASSERT_EQ(resultIds(answer).size(), records.size()) << answer;
    }

    // The line under the charts once it no longer says that it is asking.
    static QString answerOf(gui::ResultsView *view)
    {
        const bool answered = QTest::qWaitFor([&] { return !view->lblStanding->text().startsWith("Asking "); },
                                              gui::StandingQuery::TimeBoundMs * 3);
        return answered ? view->lblStanding->text() : QString("no answer");
    }

    QTemporaryDir folder;
    ServerProcess server{folder.filePath("results.sqlite"), {"--max-submissions-per-minute", "100"}};
};

TEST_F(ResultsViewWithServer, GivesTheRankOfTheBestTimeAmongTheServersTimesOfThisProcessor)
{
    ASSERT_NO_THROW(server.start());
    // 26 submitters of this processor, one page of 25 and more, from 1.0 s
    // up by tenths; a faster one of another processor does not count, and
    // no one's 1024M result has this processor.
    for (int i = 0; i < 26; ++i)
        submit("Runner " + std::to_string(i), reportMachine(), {{6, 1.0 + 0.1 * i}});
    submit("Dee", scanMachine(), {{6, 0.5}, {11, 30.0}});
    useServerOnPorts(server.tcpPort(), server.httpPort());
    const QString site = QString::fromStdString(server.webAddress());

    gui::ResultsView *view = openedView();
    ASSERT_NE(view, nullptr);
    // The charts are there while the server is asked.
    EXPECT_EQ(view->findChildren<QChartView *>().size(), 2);
    EXPECT_EQ(view->lblStanding->text(), "Asking " + site + " where this machine stands…");
    EXPECT_EQ(answerOf(view), "32M: 2.125 s would rank 13th of 27 results of this processor on " + site + "\n" +
                                  "1024M: 70 s; " + site + " has no results of this processor for this test.");
}

TEST_F(ResultsViewWithServer, SaysWhenTheServerDoesNotAnswer)
{
    useServerOnPorts(freeLoopbackPort(), freeLoopbackPort());
    gui::ResultsView *view = openedView();
    ASSERT_NE(view, nullptr);
    const QString site = QString::fromStdString(submit::webAddress(console->submission().client().server()));
    EXPECT_TRUE(answerOf(view).startsWith(site + " cannot say where this machine stands: ")) << answerOf(view).toStdString();
}

} // namespace
