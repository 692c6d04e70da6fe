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
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
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
    // One box says where both went.
    EXPECT_EQ(boxes, QStringList{applicationTitle() + ": Score saved to " + homePath() + "/a 32M file.tks\nScore saved to " +
                                 homePath() + "/b.tks"});
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
    // The console's reason with the path it concerns, and where the other went.
    EXPECT_EQ(boxes, QStringList{applicationTitle() + ": " + homePath() + "/no such folder/32M.tks: Path not found\n" +
                                 "Score saved to " + homePath() + "/1024M.tks"});
    EXPECT_TRUE(contentOf(homePath() + "/1024M.tks").startsWith("Tkscore "));
    // The panel stays with the path as typed, and the keyboard in it.
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.txt32Mpath->text(), homePath() + "/no such folder/32M.tks");
    EXPECT_EQ(window.focusWidget(), panel.txt32Mpath);

    // Mended, the same panel saves and closes.
    boxes.clear();
    panel.txt32Mpath->setText(homePath() + "/32M.tks");
    QTest::keyClick(panel.lblSaveScore, Qt::Key_Return);
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(boxes.size(), 1);
    EXPECT_TRUE(contentOf(homePath() + "/32M.tks").startsWith("Tkscore "));
}

// A fresh account has no documents folder: the default path still saves.
TEST_F(SavePanel, TheDefaultFolderIsMadeWhenItIsMissing)
{
    const QString documents = homePath() + "/Documents of a new account";
    QFile dirs(homePath() + "/user-dirs.dirs");
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DOCUMENTS_DIR=\"" + documents.toUtf8() + "\"\n");
    dirs.close();
    ASSERT_FALSE(QFileInfo::exists(documents));
    useTestMachine();
    console->records.set(6, 1.25);
    gui::frmGUI &window = openFrontEnd();
    gui::SavePanel &panel = *window.fraSave;
    click(window.imgSave32M);
    EXPECT_EQ(panel.txt32Mpath->text(), documents + "/32Mtest.tks");
    click(panel.lblSaveScore);
    EXPECT_EQ(boxes, QStringList{applicationTitle() + ": Score saved to " + documents + "/32Mtest.tks"});
    EXPECT_TRUE(contentOf(documents + "/32Mtest.tks").startsWith("Tkscore "));
}

TEST_F(SavePanel, BrowseOpensAFileDialogForScoreFilesThatFillsThePath)
{
    useTestMachine();
    console->records.set(11, 90.5);
    gui::frmGUI &window = openFrontEnd();
    gui::SavePanel &panel = *window.fraSave;
    EXPECT_FALSE(panel.cmdBrowse1024M->isEnabled()) << "follows its check box";
    click(window.imgSave1024M);
    ASSERT_TRUE(panel.cmdBrowse1024M->isEnabled());
    EXPECT_FALSE(panel.cmdBrowse32M->isEnabled());
    panel.txt1024Mpath->setText(homePath() + "/typed.tks");
    click(panel.cmdBrowse1024M);
    auto *dialog = panel.findChild<QFileDialog *>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->nameFilters(), QStringList{"Tarvik score files (*.tks)"});
    EXPECT_EQ(dialog->directory().absolutePath(), homePath()) << "starts where the typed path points";
    dialog->selectFile(homePath() + "/chosen.tks");
    QMetaObject::invokeMethod(dialog, "accept"); // the dialog's Save button
    EXPECT_EQ(panel.txt1024Mpath->text(), homePath() + "/chosen.tks");
    EXPECT_TRUE(panel.isVisible());
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
    EXPECT_EQ(boxes, QStringList{applicationTitle() + ": " + homePath() +
                                 "/32M.tks: Test 6 was run in quick mode; its time cannot be saved.\nScore saved to " +
                                 homePath() + "/1024M.tks"});
    EXPECT_TRUE(panel.isVisible());
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
