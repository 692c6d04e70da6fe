// The front end's main window, driven as a user drives it: clicks and keys on
// the real controls, with the real console behind it.
#include "front_end_fixture.h"

#include "engine/calculator.h"
#include "gui/link_label.h"
#include "gui/picture.h"
#include "gui/popup_panel.h"
#include "gui/record_text.h"
#include "gui/save_panel.h"
#include "gui/test_box.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>

using namespace tarvik;
using namespace tarvik::testing;

namespace {

using FrontEnd = FrontEndTest;

TEST_F(FrontEnd, RunningThe32MTestHandsOverToTheConsoleAndANewWindowShowsTheNewBestTime)
{
    Calculator::registerClass();
    console->Threads = 2;
    console->quickMode = true; // 32768 numbers: the same road as the full test, in milliseconds
    QPointer<gui::frmGUI> first = &openFrontEnd();
    EXPECT_FALSE(console->isVisible());
    EXPECT_EQ(first->txt32M->text(), "Not Tested");

    // Clicked twice, as in a double click: the second click finds the window
    // handed over already and does nothing.
    const QString line = lineEnteredBy([&] {
        click(first->lbl32M);
        click(first->lbl32M);
    });
    EXPECT_EQ(line, "st 6");
    EXPECT_TRUE(console->isVisible());
    EXPECT_TRUE(first.isNull() || !first->isVisible());
    EXPECT_TRUE(console->revert_to_gui);

    commands->run(line.toStdString());
    ASSERT_TRUE(QTest::qWaitFor([] { return visibleFrontEnd() != nullptr; }, 120000));
    gui::frmGUI *second = visibleFrontEnd();
    EXPECT_NE(second, first.data());
    EXPECT_FALSE(console->isVisible());
    EXPECT_FALSE(console->revert_to_gui);
    const double best = console->records.get(6);
    ASSERT_GE(best, 0.0005) << "the run was too fast to show a time";
    EXPECT_EQ(second->txt32M->text(), QString::fromStdString(gui::recordText(best, '.')));
    EXPECT_TRUE(second->txt32M->text().endsWith(" sec"));
    EXPECT_EQ(second->txt1024M->text(), "Not Tested");
    EXPECT_TRUE(console->paneText().contains(">st 6\nCalculating sqrts of first "));
}

// What a screen reader says of a control.
QString spokenName(QWidget *widget)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

// The controls Tab visits from `start` until it comes back, as the user
// sees them: each with the name a screen reader gives it.
QList<QWidget *> tabChain(QWidget *start)
{
    start->setFocus(Qt::TabFocusReason);
    QList<QWidget *> visited{QApplication::focusWidget()};
    for (int step = 0; step < 50; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == visited.first())
            break;
        visited << QApplication::focusWidget();
    }
    return visited;
}

TEST_F(FrontEnd, TabReachesEveryActionInReadingOrderAndEachIsNamed)
{
    gui::frmGUI &window = openFrontEnd();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_TRUE(window.lblInstallLib->isVisible()) << "the report helper is missing here";
    const QList<QWidget *> expected{window.Image2,       window.Image3,       window.txtCPU,        window.txt32M,
                                    window.imgSave32M,   window.lbl32M,       window.txt1024M,      window.imgSave1024M,
                                    window.lbl1024M,     window.imgInstallLib, window.lblInstallLib, window.imgAdvanced,
                                    window.libAdvanced,  window.lblResults,   window.lblSubmit};
    EXPECT_EQ(tabChain(window.Image2), expected);
    QStringList names;
    for (QWidget *widget : expected)
        names << spokenName(widget);
    EXPECT_EQ(names, (QStringList{"Tarvik web site", "HWBOT web site", "CPU List", "32M best score",
                                  "Save 32M score", "Run 32M Benchmark", "1024M best score", "Save 1024M score",
                                  "Run 1024M Benchmark", "Install Missing Libraries", "Install Missing Libraries",
                                  "Advanced Settings", "Advanced Settings", "Results History", "Submit Scores"}));
    for (QWidget *picture : {static_cast<QWidget *>(window.Image2), static_cast<QWidget *>(window.imgSave32M),
                             static_cast<QWidget *>(window.imgAdvanced)})
        EXPECT_FALSE(picture->toolTip().isEmpty()) << spokenName(picture).toStdString();

    // Space on a picture opens its panel; the keyboard then stays in the
    // panel and no longer reaches what the panel covers.
    console->records.set(6, 1.25);
    window.imgSave32M->setFocus();
    QTest::keyClick(window.imgSave32M, Qt::Key_Space);
    ASSERT_TRUE(window.fraSave->isVisible());
    const QList<QWidget *> inPanel = tabChain(QApplication::focusWidget());
    EXPECT_FALSE(inPanel.contains(window.lbl32M));
    EXPECT_TRUE(inPanel.contains(window.fraSave->lblSaveScore));
    for (QWidget *widget : inPanel)
        EXPECT_FALSE(spokenName(widget).isEmpty()) << widget->metaObject()->className();
    QTest::keyClick(window.fraSave->lblCloseSave, Qt::Key_Enter);
    EXPECT_FALSE(window.fraSave->isVisible());
    EXPECT_EQ(tabChain(window.Image2), expected) << "reachable again once the panel is closed";
}

TEST_F(FrontEnd, EnterOrSpaceOnARunLinkStartsTheTest)
{
    struct Case {
        gui::LinkLabel *gui::frmGUI::*link;
        Qt::Key key;
        QString line;
    };
    const Case cases[] = {{&gui::frmGUI::lbl32M, Qt::Key_Return, "st 6"},
                          {&gui::frmGUI::lbl32M, Qt::Key_Enter, "st 6"},
                          {&gui::frmGUI::lbl1024M, Qt::Key_Space, "st 11"}};
    for (const Case &c : cases) {
        gui::frmGUI &window = openFrontEnd();
        gui::LinkLabel *link = window.*c.link;
        link->setFocus();
        EXPECT_EQ(lineEnteredBy([&] { QTest::keyClick(link, c.key); }), c.line);
        EXPECT_TRUE(console->isVisible());
        console->hide();
    }
}

TEST_F(FrontEnd, TheRunLinkOfTheStabilityTestStartsTest11)
{
    gui::frmGUI &window = openFrontEnd();
    EXPECT_EQ(lineEnteredBy([&] { click(window.lbl1024M); }), "st 11");
}

TEST_F(FrontEnd, BestTimesShowRoundedToMilliseconds)
{
    struct Case {
        double seconds;
        QString shown;
    };
    const Case cases[] = {
        {0, "Not Tested"},       {0.0004, "Not Tested"}, {20, "20 sec"},
        {12.3456, "12.346 sec"}, {0.0006, "0.001 sec"},  {1234.5678, "1234.568 sec"},
    };
    for (const Case &c : cases) {
        console->records.set(6, c.seconds);
        console->records.set(11, c.seconds * 2);
        gui::frmGUI &window = openFrontEnd();
        EXPECT_EQ(window.txt32M->text(), c.shown) << c.seconds;
        EXPECT_EQ(window.recordTexts[5], c.shown == "Not Tested" ? "" : c.shown);
        const std::string doubled = gui::recordText(c.seconds * 2, '.');
        EXPECT_EQ(window.txt1024M->text(), doubled.empty() ? "Not Tested" : QString::fromStdString(doubled));
        delete &window;
    }
}

TEST_F(FrontEnd, TheCpuListShowsTheHardwareAndGrowsWhenNoLibraryIsMissing)
{
    console->hw.cpu_string = hardwareLines({"CPU Found: CPU0", "Name:     Test CPU"});
    {
        gui::frmGUI &window = openFrontEnd();
        EXPECT_EQ(window.txtCPU->toPlainText(), "CPU Found: CPU0\nName:     Test CPU");
        EXPECT_TRUE(window.lblInstallLib->isVisible());
        EXPECT_TRUE(window.imgInstallLib->isVisible());
        EXPECT_EQ(window.fraCPUlist->height(), 1935 / 15);
        EXPECT_EQ(window.txtCPU->height(), 1455 / 15);
        delete &window;
    }
    installReportHelperFile();
    gui::frmGUI &window = openFrontEnd();
    EXPECT_FALSE(window.lblInstallLib->isVisible());
    EXPECT_FALSE(window.imgInstallLib->isVisible());
    EXPECT_EQ(window.fraCPUlist->height(), 2295 / 15);
    EXPECT_EQ(window.txtCPU->height(), 1815 / 15);
}

TEST_F(FrontEnd, TheWindowHasTheConsolesCaptionAndAFixedSize)
{
    gui::frmGUI &window = openFrontEnd();
    EXPECT_EQ(window.windowTitle(), "Tarvik Benchmark v1.55");
    EXPECT_EQ(window.size(), QSize(467, 265));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_TRUE(window.frahwbot->isVisible());
    EXPECT_TRUE(window.lblSubmit->isVisible()) << "the submission panel is attached";
}

TEST_F(FrontEnd, TheConsoleKeyHandsOverAndTheEnteredLineRunsAsACommand)
{
    // An earlier hand-over from the front end (a submission leaves the flag
    // set) must not bring the front end back after a command typed here.
    console->revert_to_gui = true;
    QPointer<gui::frmGUI> window = &openFrontEnd();
    // The console key in the CPU list; then a line typed into the console.
    const QString line = lineEnteredBy([&] {
        QTimer::singleShot(0, console.get(), [&] {
            EXPECT_TRUE(console->isVisible());
            EXPECT_TRUE(console->isAwaitingInput());
            console->inputField()->setText("pr");
            QTest::keyClick(console->inputField(), Qt::Key_Return);
        });
        QTest::keyClick(window->txtCPU, Qt::Key_QuoteLeft);
    });
    EXPECT_EQ(line, "pr");
    EXPECT_TRUE(window.isNull() || !window->isVisible());
    EXPECT_TRUE(console->isVisible());
    EXPECT_FALSE(console->revert_to_gui);
    // The line is echoed once, though both the console key's read and the
    // loop's return it.
    EXPECT_EQ(console->paneText(), ">\n>pr\n");
}

TEST_F(FrontEnd, OtherKeysDoNothing)
{
    gui::frmGUI &window = openFrontEnd();
    QTest::keyClick(window.txtCPU, Qt::Key_1);
    QTest::keyClick(&window, Qt::Key_AsciiTilde);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(console->isVisible());
}

TEST_F(FrontEnd, TheSubmissionPanelPlugsIntoTheSubmitLink)
{
    gui::frmGUI &window = openFrontEnd();
    auto *panel = new gui::PopupPanel("Submit Scores", &window);
    window.attachSubmissionPanel(panel);
    EXPECT_TRUE(window.lblSubmit->isVisible());
    click(window.lblSubmit);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(window.fraSubmission, panel);
}

// Nothing is cut off: every text fits the box it is drawn in, and every box
// fits its container. Checked for the main panel and each pop-up panel.
TEST_F(FrontEnd, NoTextIsCutOff)
{
    gui::frmGUI &window = openFrontEnd();
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            const std::string text = label->text().toStdString();
            if (label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height()) << text;
            } else {
                EXPECT_LE(label->sizeHint().width(), label->width()) << text;
                EXPECT_LE(label->sizeHint().height(), label->height()) << text;
            }
        }
        if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            EXPECT_LE(button->sizeHint().width(), button->width()) << button->text().toStdString();
        }
        if (!widget->isWindow()) {
            EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry()))
                << widget->metaObject()->className() << " in " << widget->parentWidget()->metaObject()->className();
        }
    }
}

} // namespace
