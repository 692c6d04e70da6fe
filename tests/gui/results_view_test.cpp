// The results view charts the history this machine's runs left behind.
#include "front_end_fixture.h"

#include "cli/results_history.h"
#include "gui/link_label.h"
#include "gui/results_view.h"

#include <QLabel>
#include <QtCharts/QChartView>
#include <QtCharts/QXYSeries>

using namespace tarvik;
using namespace tarvik::testing;

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

} // namespace
