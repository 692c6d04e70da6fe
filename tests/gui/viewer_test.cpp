// Viewer mode: the program started with a score file shows that file's
// record and machine, with everything that would change them switched off.
// What ends the program is checked in a child process.
#include "front_end_fixture.h"

#include "gui/advanced_panel.h"
#include "gui/link_label.h"
#include "gui/picture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <cstdio>

using namespace tarvik;
using namespace tarvik::testing;

namespace {

// Writes each message to standard error, where the parent process reads it.
class PrintedBoxes : public MessageBox {
public:
    bool askYesNo(const QString &, const QString &) override { return false; }
    void inform(const QString &title, const QString &text, BoxIcon) override
    {
        std::fprintf(stderr, "[%s: %s]\n", qPrintable(title), qPrintable(text));
    }
};

class Viewer : public FrontEndTest {
protected:
    Viewer() { GTEST_FLAG_SET(death_test_style, "threadsafe"); }

    // A score file of test 6 in 3.25 seconds, made on a machine of its own.
    QString goodScoreFile()
    {
        useTestMachine();
        console->records.set(6, 3.25);
        const QString path = homePath() + "/score file.tks";
        EXPECT_EQ(console->SaveScore(path.toStdString(), 6), "Score Saved.");
        return path;
    }

    QString badScoreFile() const
    {
        const QString path = homePath() + "/not a score.tks";
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("hello");
        return path;
    }

    // The text of the window's 32M box, written where the parent reads it.
    [[noreturn]] void reportAndEnd(const QString &text)
    {
        std::fprintf(stderr, "[%s]\n", qPrintable(text));
        std::fflush(stderr);
        std::_Exit(0);
    }
};

TEST_F(Viewer, AGoodFileShowsItsRecordAndMachineWithTheChangingControlsOff)
{
    const QString file = goodScoreFile();
    startConsole(file);
    gui::frmGUI &window = openFrontEnd();
    EXPECT_TRUE(window.scoreLoaded);
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(window.txt32M->text(), "3.25 sec");
    EXPECT_EQ(window.txt1024M->text(), "Not Tested");
    EXPECT_EQ(window.txtCPU->toPlainText(), "Test CPU T-3000\n3000 MHz");
    EXPECT_EQ(console->Threads, 7);
    for (gui::LinkLabel *link : {window.lbl32M, window.lbl1024M, window.lblInstallLib, window.libAdvanced}) {
        EXPECT_FALSE(link->isEnabled()) << link->text().toStdString();
        EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    }
    EXPECT_FALSE(window.imgSave32M->isVisible());
    EXPECT_FALSE(window.imgSave1024M->isVisible());
    EXPECT_FALSE(window.imgAdvanced->isEnabled());
    EXPECT_TRUE(window.lblInstallLib->isVisible()) << "switched off, not hidden";
    EXPECT_TRUE(window.Image2->isEnabled());
    // It says that it is a viewer, and of which file.
    EXPECT_EQ(window.windowTitle(), "Tarvik Benchmark v1.55 - Viewer - score file.tks");
    EXPECT_TRUE(window.lblViewedFile->isVisible());
    EXPECT_EQ(window.lblViewedFile->text(), "Viewer of score file.tks");
    EXPECT_EQ(window.lblViewedFile->toolTip(), file);

    // Neither the run links nor the console key hand over.
    click(window.lbl32M);
    QTest::keyClick(window.txtCPU, Qt::Key_QuoteLeft);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(console->isVisible());
    EXPECT_FALSE(console->isAwaitingInput());
    EXPECT_TRUE(console->inputField()->text().isEmpty());
}

TEST_F(Viewer, ARefusedFileShowsTheErrorBoxAndEndsTheProgramWithAFailure)
{
    const QString file = badScoreFile();
    EXPECT_EXIT(
        {
            startConsole(file);
            console->messageBox = std::make_unique<PrintedBoxes>();
            openFrontEnd();
        },
        ::testing::ExitedWithCode(1), "\\[Error: Invalid file format.\\]");
}

TEST_F(Viewer, ClosingTheWindowEndsTheProgram)
{
    EXPECT_EXIT(openFrontEnd().close(), ::testing::ExitedWithCode(0), "");
}

// The user's decimal separator is read once per process, so a comma locale
// is tried in a child process started with one.
class CommaLocale : public Viewer {
protected:
    CommaLocale() : m_locale(qgetenv("LC_ALL")) { qputenv("LC_ALL", "de_DE.UTF-8"); }
    ~CommaLocale() override { qputenv("LC_ALL", m_locale); }

private:
    QByteArray m_locale;
};

TEST_F(CommaLocale, BestTimesShowADecimalComma)
{
    EXPECT_EXIT(
        {
            startConsole({});
            console->records.set(6, 12.3456);
            reportAndEnd(openFrontEnd().txt32M->text());
        },
        ::testing::ExitedWithCode(0), "\\[12,346 sec\\]");
}

TEST_F(CommaLocale, AThreadCountWithADecimalCommaIsRefused)
{
    EXPECT_EXIT(
        {
            startConsole({});
            console->messageBox = std::make_unique<PrintedBoxes>();
            gui::frmGUI &window = openFrontEnd();
            click(window.libAdvanced);
            window.fraAdvanced->txtThreadF->setText("8,5");
            click(window.fraAdvanced->lblSaveAdv);
            reportAndEnd(console->inputField()->text());
        },
        ::testing::ExitedWithCode(0), "\\[Error: Invalid Thread Count\\]\n\\[\\]");
}

} // namespace
