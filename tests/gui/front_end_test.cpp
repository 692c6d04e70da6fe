// The front end's main window, driven as a user drives it: clicks and keys on
// the real controls, with the real console behind it.
#include "front_end_fixture.h"

#include "engine/calculator.h"
#include "gui/link_label.h"
#include "gui/picture.h"
#include "gui/popup_panel.h"
#include "gui/record_text.h"
#include "gui/test_box.h"

#include <QAbstractButton>
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
    // Both waiting reads echo the line: the console key's and the loop's.
    EXPECT_EQ(console->paneText(), ">\n>pr\npr\n");
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
