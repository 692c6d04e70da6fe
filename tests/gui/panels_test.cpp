// The front end's save, install and advanced-settings panels, driven through
// their links and fields.
#include "front_end_fixture.h"

#include "gui/advanced_panel.h"
#include "gui/install_panel.h"
#include "gui/library_row.h"
#include "gui/link_label.h"
#include "gui/picture.h"
#include "gui/save_panel.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>

using namespace tarvik;
using namespace tarvik::testing;

namespace {

using SavePanel = FrontEndTest;

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

TEST_F(SavePanel, BoxesFollowTheBestTimesAndKeepTheirChecks)
{
    useTestMachine();
    // No best time at all: nothing to check, and Save saves nothing.
    {
        gui::frmGUI &window = openFrontEnd();
        gui::SavePanel &panel = *window.fraSave;
        click(window.imgSave32M);
        ASSERT_TRUE(panel.isVisible());
        EXPECT_FALSE(panel.chkSave32M->isEnabled());
        EXPECT_FALSE(panel.chkSave32M->isChecked());
        EXPECT_FALSE(panel.chkSave1024M->isEnabled());
        EXPECT_FALSE(panel.txt32Mpath->isEnabled());
        EXPECT_FALSE(panel.txt1024Mpath->isEnabled());
        EXPECT_TRUE(panel.txt32Mpath->text().endsWith("/32Mtest.tks"));
        EXPECT_TRUE(panel.txt1024Mpath->text().endsWith("/1024Mtest.tks"));
        click(panel.lblSaveScore);
        EXPECT_FALSE(panel.isVisible());
        EXPECT_TRUE(boxes.isEmpty());
        delete &window;
    }
    // Only the 1024M test has a time; the 32M icon checks nothing.
    console->records.set(11, 90.5);
    {
        gui::frmGUI &window = openFrontEnd();
        gui::SavePanel &panel = *window.fraSave;
        click(window.imgSave32M);
        EXPECT_FALSE(panel.chkSave32M->isEnabled());
        EXPECT_FALSE(panel.chkSave32M->isChecked());
        EXPECT_TRUE(panel.chkSave1024M->isEnabled());
        EXPECT_FALSE(panel.chkSave1024M->isChecked());
        delete &window;
    }
    // Both have times: the 32M icon, Cancel, then the 1024M icon leaves both
    // checked, and Save writes both files.
    console->records.set(6, 1.25);
    gui::frmGUI &window = openFrontEnd();
    gui::SavePanel &panel = *window.fraSave;
    click(window.imgSave32M);
    EXPECT_TRUE(panel.chkSave32M->isChecked());
    EXPECT_TRUE(panel.txt32Mpath->isEnabled());
    EXPECT_FALSE(panel.chkSave1024M->isChecked());
    EXPECT_FALSE(panel.txt1024Mpath->isEnabled());
    click(panel.lblCloseSave);
    EXPECT_FALSE(panel.isVisible());
    click(window.imgSave1024M);
    EXPECT_TRUE(panel.chkSave32M->isChecked());
    EXPECT_TRUE(panel.chkSave1024M->isChecked());
    EXPECT_TRUE(panel.txt1024Mpath->isEnabled());
    // Unchecking a box disables its path.
    click(panel.chkSave1024M);
    EXPECT_FALSE(panel.txt1024Mpath->isEnabled());
    click(panel.chkSave1024M);
    EXPECT_TRUE(panel.txt1024Mpath->isEnabled());

    panel.txt32Mpath->setText(homePath() + "/a 32M file.tks");
    panel.txt1024Mpath->setText(homePath() + "/b.tks");
    click(panel.lblSaveScore);
    EXPECT_FALSE(panel.isVisible());
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
    EXPECT_TRUE(contentOf(homePath() + "/a 32M file.tks").startsWith("Tkscore "));
    EXPECT_TRUE(contentOf(homePath() + "/b.tks").startsWith("Tkscore "));

    // A file that loads again gives the time back.
    console->records.clear();
    EXPECT_EQ(console->LoadScore((homePath() + "/b.tks").toStdString()), "Score loaded.");
    EXPECT_EQ(console->records.get(11), 90.5);
}

TEST_F(SavePanel, APathThatCannotBeWrittenIsReportedAndTheOtherTestIsStillSaved)
{
    useTestMachine();
    console->records.set(6, 1.25);
    console->records.set(11, 90.5);
    gui::frmGUI &window = openFrontEnd();
    gui::SavePanel &panel = *window.fraSave;
    click(window.imgSave32M);
    click(window.imgSave1024M);
    panel.txt32Mpath->setText(homePath() + "/no such folder/32M.tks");
    panel.txt1024Mpath->setText(homePath() + "/1024M.tks");
    click(panel.lblSaveScore);
    ASSERT_EQ(boxes.size(), 1);
    // Titled with the application's name; the console's reason as the text.
    EXPECT_EQ(boxes[0], QCoreApplication::applicationName() + ": Path not found");
    EXPECT_TRUE(contentOf(homePath() + "/1024M.tks").startsWith("Tkscore "));
    EXPECT_FALSE(panel.isVisible());
}

TEST_F(SavePanel, AQuickModeRecordIsRefusedAndTheOtherTestIsStillSaved)
{
    useTestMachine();
    console->records.set(6, 0.007, true);
    console->records.set(11, 90.5);
    gui::frmGUI &window = openFrontEnd();
    gui::SavePanel &panel = *window.fraSave;
    click(window.imgSave32M);
    click(window.imgSave1024M);
    panel.txt32Mpath->setText(homePath() + "/32M.tks");
    panel.txt1024Mpath->setText(homePath() + "/1024M.tks");
    click(panel.lblSaveScore);
    EXPECT_EQ(boxes, QStringList{QCoreApplication::applicationName() +
                                 ": Test 6 was run in quick mode; its time cannot be saved."});
    EXPECT_FALSE(QFile::exists(homePath() + "/32M.tks"));
    EXPECT_TRUE(contentOf(homePath() + "/1024M.tks").startsWith("Tkscore "));
}

using AdvancedSettings = FrontEndTest;

TEST_F(AdvancedSettings, AThreadCountIsCheckedThenHandedToTheConsoleAsTyped)
{
    console->Threads = 4;
    struct Case {
        QString typed;
        QString message; // empty: accepted
    };
    const Case cases[] = {
        {"0", "Error: Thread count must be from 1 to 256."},
        {"257", "Error: Thread count must be from 1 to 256."},
        {"8a", "Error: Invalid Thread Count"},
        {"", "Error: Invalid Thread Count"},
        {"8,5", "Error: Invalid Thread Count"},
        {"8", ""},
        {" 16", ""},
        {"8.5", ""},
    };
    for (const Case &c : cases) {
        gui::frmGUI &window = openFrontEnd();
        gui::AdvancedPanel &panel = *window.fraAdvanced;
        click(window.libAdvanced);
        ASSERT_TRUE(panel.isVisible());
        EXPECT_EQ(panel.txtThreadF->text(), QString::number(console->Threads));
        panel.txtThreadF->setText(c.typed);
        boxes.clear();
        if (c.message.isEmpty()) {
            EXPECT_EQ(lineEnteredBy([&] { click(panel.lblSaveAdv); }), "ft " + c.typed);
            EXPECT_FALSE(panel.isVisible()) << c.typed.toStdString();
            EXPECT_TRUE(window.isVisible()) << "the front end stays";
            EXPECT_TRUE(boxes.isEmpty());
        } else {
            click(panel.lblSaveAdv);
            EXPECT_EQ(boxes, QStringList{c.message}) << c.typed.toStdString();
            EXPECT_TRUE(panel.isVisible());
            EXPECT_FALSE(console->isAwaitingInput());
        }
        delete &window;
    }
    // The console runs what it was handed: "ft  16" sets 16 threads.
    commands->run("ft  16");
    EXPECT_EQ(console->Threads, 16);
}

TEST_F(AdvancedSettings, CancelClosesThePanelAndTheIconOpensItToo)
{
    gui::frmGUI &window = openFrontEnd();
    click(window.imgAdvanced);
    EXPECT_TRUE(window.fraAdvanced->isVisible());
    click(window.fraAdvanced->lblCancelAdv);
    EXPECT_FALSE(window.fraAdvanced->isVisible());
}

// Plays the desktop: remembers what it was asked to open.
class DesktopOpener : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class InstallPanel : public FrontEndTest {
protected:
    InstallPanel()
    {
        QDesktopServices::setUrlHandler("file", &desktop, "open");
        QDesktopServices::setUrlHandler("https", &desktop, "open");
    }
    ~InstallPanel() override
    {
        QDesktopServices::unsetUrlHandler("file");
        QDesktopServices::unsetUrlHandler("https");
    }
    DesktopOpener desktop;
};

TEST_F(InstallPanel, InstallingTheReportHelperRemovesItsRowAndTheInstallLink)
{
    gui::frmGUI &window = openFrontEnd();
    gui::InstallPanel &panel = *window.fraInstall;
    click(window.lblInstallLib);
    ASSERT_TRUE(panel.isVisible());
    ASSERT_EQ(panel.rows.size(), 1u);
    gui::LibraryRow &row = *panel.rows[0];
    EXPECT_TRUE(row.isVisible());
    EXPECT_EQ(panel.lblInfo->text(), "All of these libraries are optional for the running of the benchmark, however "
                                     "are required in other aspects of the benchmark.");

    // While the installation runs, the panel is busy and ignores its links.
    bool sawBusy = false;
    QTimer::singleShot(0, &panel, [&] {
        sawBusy = !panel.isEnabled() && panel.title() == "Installing...please stand by" &&
                  panel.lblCloseLib->palette().color(QPalette::WindowText) == QColor(128, 128, 128);
        click(row.lblInstall);
        click(row.imgExpand);
    });
    click(row.lblInstall);
    EXPECT_TRUE(sawBusy);
    EXPECT_EQ(boxes, QStringList{"Installation: Installation suceeded."});
    EXPECT_TRUE(panel.isEnabled());
    EXPECT_EQ(panel.title(), "Install Libraries");
    EXPECT_EQ(panel.lblCloseLib->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_FALSE(row.isVisible());
    EXPECT_EQ(row.height(), 1335 / 15) << "the toggle clicked while busy did nothing";
    EXPECT_EQ(panel.lblInfo->text(), "All Tarvik libraries are installed. Click close to hide this dialog.");
    EXPECT_TRUE(QFileInfo(systemFolder() + "/cpuz141.exe").isExecutable());
    EXPECT_FALSE(window.lblInstallLib->isVisible());
    EXPECT_EQ(window.fraCPUlist->height(), 2295 / 15);
    // The helper's report replaced the hardware description.
    EXPECT_EQ(window.txtCPU->toPlainText(),
              QString::fromLocal8Bit(console->hw.cpu_string).replace(QString::fromUtf8(LineEnd), "\n"));
    EXPECT_TRUE(console->paneText().contains("Library installed"));
    click(panel.lblCloseLib);
    EXPECT_FALSE(panel.isVisible());
}

TEST_F(InstallPanel, AFailedInstallationSaysWhyAndKeepsTheRow)
{
    // A file in the helper's place that is not its own: the installer refuses.
    gui::frmGUI &window = openFrontEnd();
    click(window.imgInstallLib);
    installReportHelperFile();
    gui::InstallPanel &panel = *window.fraInstall;
    click(panel.rows[0]->lblInstall);
    EXPECT_EQ(boxes, QStringList{"Installation: Installation failed.\nLibrary already exists"});
    EXPECT_TRUE(panel.isEnabled());
    EXPECT_EQ(panel.title(), "Install Libraries");
    // The library is there now, so its row and the main panel's link go.
    EXPECT_FALSE(panel.rows[0]->isVisible());
    EXPECT_FALSE(window.lblInstallLib->isVisible());
}

TEST_F(InstallPanel, ARowExpandsAndCollapsesWithItsToggle)
{
    gui::frmGUI &window = openFrontEnd();
    click(window.lblInstallLib);
    gui::LibraryRow &row = *window.fraInstall->rows[0];
    const int top = row.y();
    EXPECT_EQ(row.height(), 1335 / 15);
    click(row.imgExpand);
    EXPECT_EQ(row.height(), 1200 / 15);
    EXPECT_TRUE(row.isExpanded());
    click(row.imgExpand);
    EXPECT_EQ(row.height(), 375 / 15);
    EXPECT_EQ(row.y(), top);
    EXPECT_TRUE(row.isVisible());
    click(row.imgExpand);
    EXPECT_EQ(row.height(), 1200 / 15);
}

TEST_F(InstallPanel, TheReadmeIsWrittenOnceAndOpenedByTheDesktop)
{
    gui::frmGUI &window = openFrontEnd();
    click(window.lblInstallLib);
    gui::LibraryRow &row = *window.fraInstall->rows[0];
    ASSERT_NE(row.lblReadme, nullptr);
    const QString readme = systemFolder() + "/cpuz141-readme.txt";
    click(row.lblReadme);
    EXPECT_TRUE(contentOf(readme).contains("report helper"));
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_EQ(desktop.opened[0], QUrl::fromLocalFile(readme));

    // A readme that is there already is left as it is.
    QFile changed(readme);
    ASSERT_TRUE(changed.open(QIODevice::WriteOnly));
    changed.write("mine");
    changed.close();
    click(row.lblReadme);
    EXPECT_EQ(contentOf(readme), "mine");
    EXPECT_EQ(desktop.opened.size(), 2);
}

TEST_F(InstallPanel, ThePicturesOpenTheirWebSites)
{
    gui::frmGUI &window = openFrontEnd();
    // A double click opens the site once.
    QTest::mousePress(window.Image2, Qt::LeftButton);
    QTest::mouseRelease(window.Image2, Qt::LeftButton);
    QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(5, 5), window.Image2->mapToGlobal(QPointF(5, 5)),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.Image2, &second);
    QTest::mouseRelease(window.Image2, Qt::LeftButton);
    click(window.Image3);
    ASSERT_EQ(desktop.opened.size(), 2);
    EXPECT_EQ(desktop.opened[0].scheme(), "https");
    EXPECT_EQ(desktop.opened[1].host(), "hwbot.org");
    EXPECT_TRUE(boxes.isEmpty());
}

} // namespace

#include "panels_test.moc"
