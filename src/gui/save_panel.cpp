#include "gui/save_panel.h"

#include "foundation/protocol.h"
#include "gui/gui_console.h"
#include "gui/link_label.h"
#include "gui/text_fit.h"
#include "gui/twips.h"
#include "records/score_file.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QStringList>

#include <tuple>

namespace tarvik::gui {

namespace {

const QString ScoreFileFilter = QStringLiteral("Tarvik score files (*.tks)");

QString defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString defaultPath(const QString &fileName)
{
    return QDir(defaultFolder()).filePath(fileName);
}

// A fresh account may have no documents folder yet; the default paths point
// into it, so it is made on the first save there. Other folders are the
// user's own choice and are left as they are.
void makeDefaultFolderFor(const QString &path)
{
    const QFileInfo file(path);
    if (QDir::cleanPath(file.absolutePath()) == QDir::cleanPath(defaultFolder()))
        QDir().mkpath(defaultFolder());
}

QLabel *explanation(const QString &text, QWidget *parent, int top, int height)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeTwips(label, 120, top, 6495, height);
    fitText(label);
    return label;
}

// A check box with the path field and the "Browse…" button it enables.
QCheckBox *savePath(const QString &caption, int top, int width, QLineEdit *path, QPushButton *browse)
{
    QWidget *parent = path->parentWidget();
    auto *check = new QCheckBox(caption, parent);
    placeTwips(check, 120, top, width, 255);
    fitText(check);
    placeTwips(path, 2160, top, 3000, 285);
    path->setAccessibleName(caption.mid(QStringLiteral("Save ").size()) + QStringLiteral(" file path"));
    path->setAccessibleDescription(QStringLiteral("Where the score file is written"));
    placeTwips(browse, 5205, top - 30, 1290, 345);
    fitText(browse);
    browse->setAccessibleName(QStringLiteral("Browse for the ") + path->accessibleName());
    browse->setToolTip(QStringLiteral("Choose the file in a dialog"));
    for (QWidget *follower : {static_cast<QWidget *>(path), static_cast<QWidget *>(browse)}) {
        QObject::connect(check, &QCheckBox::toggled, follower, &QWidget::setEnabled);
        follower->setEnabled(false);
    }
    return check;
}

} // namespace

SavePanel::SavePanel(GuiConsole &console, QWidget *parent)
    : PopupPanel(QStringLiteral("Save Score"), parent),
      txt32Mpath(new QLineEdit(defaultPath(QStringLiteral("32Mtest.tks")), this)),
      cmdBrowse32M(new QPushButton(QStringLiteral("Browse…"), this)),
      txt1024Mpath(new QLineEdit(defaultPath(QStringLiteral("1024Mtest.tks")), this)),
      cmdBrowse1024M(new QPushButton(QStringLiteral("Browse…"), this)),
      lblSaveScore(new LinkLabel(QStringLiteral("Save"), this)),
      lblCloseSave(new LinkLabel(QStringLiteral("Cancel"), this)),
      m_console(console)
{
    explanation(QStringLiteral("This will save your score to a file. You can load it again by opening the output "
                               "file with Tarvik. Please check which scores to save and enter the output path in "
                               "the textbox."),
                this, 360, 495);
    chkSave32M = savePath(QStringLiteral("Save 32M Score"), 960, 1575, txt32Mpath, cmdBrowse32M);
    chkSave1024M = savePath(QStringLiteral("Save 1024M Score"), 1440, 1815, txt1024Mpath, cmdBrowse1024M);
    connect(cmdBrowse32M, &QPushButton::clicked, this, [this] { browseFor(txt32Mpath); });
    connect(cmdBrowse1024M, &QPushButton::clicked, this, [this] { browseFor(txt1024Mpath); });
    explanation(QStringLiteral("To load the output file for submission, drag it into the Tarvik executable and drop."),
                this, 1800, 255);
    placeTwips(lblSaveScore, 2040, 2280, 1215, 255);
    placeTwips(lblCloseSave, 3360, 2280, 1215, 255);
    connect(lblSaveScore, &LinkLabel::clicked, this, &SavePanel::lblSaveScore_Click);
    connect(lblCloseSave, &LinkLabel::clicked, this, &QWidget::hide);
    // The explanation texts were made before the controls they come between;
    // the keyboard goes through the controls in reading order.
    QWidget *order[] = {chkSave32M,     txt32Mpath,   cmdBrowse32M, chkSave1024M,
                        txt1024Mpath, cmdBrowse1024M, lblSaveScore, lblCloseSave};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void SavePanel::openFor(std::int16_t test)
{
    chkSave32M->setEnabled(m_console.bestTime(SpeedTest) != 0);
    chkSave1024M->setEnabled(m_console.bestTime(StabilityTest) != 0);
    QCheckBox *chosen = test == SpeedTest ? chkSave32M : chkSave1024M;
    if (chosen->isEnabled())
        chosen->setChecked(true);
    for (auto [check, path, browse] : {std::tuple{chkSave32M, txt32Mpath, cmdBrowse32M},
                                       std::tuple{chkSave1024M, txt1024Mpath, cmdBrowse1024M}}) {
        path->setEnabled(check->isChecked());
        browse->setEnabled(check->isChecked());
    }
    open();
}

void SavePanel::browseFor(QLineEdit *path)
{
    makeDefaultFolderFor(path->text());
    auto *dialog = new QFileDialog(this, QStringLiteral("Save Score"), path->text(), ScoreFileFilter);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(QStringLiteral("tks"));
    dialog->selectFile(path->text());
    connect(dialog, &QFileDialog::fileSelected, path, [path](const QString &file) {
        path->setText(QDir::toNativeSeparators(file));
    });
    dialog->open();
}

void SavePanel::lblSaveScore_Click()
{
    // Only the check counts: a box checked earlier is saved even when its
    // test has lost its time since.
    QStringList saved;
    QStringList failed;
    QLineEdit *firstFailed = nullptr;
    for (auto [check, path, test] : {std::tuple{chkSave32M, txt32Mpath, SpeedTest},
                                     std::tuple{chkSave1024M, txt1024Mpath, StabilityTest}}) {
        if (!check->isChecked())
            continue;
        const std::string message = SaveTestScore(path->text(), test);
        const QString where = QFileInfo(path->text()).absoluteFilePath();
        if (message == scoreResults::Saved) {
            saved << QStringLiteral("Score saved to ") + where;
        } else {
            failed << where + QStringLiteral(": ") + QString::fromStdString(message);
            firstFailed = firstFailed ? firstFailed : path;
        }
    }
    if (!failed.isEmpty()) {
        // What was typed stays, so that the user can mend the path and save again.
        m_console.messages().inform(applicationTitle(), (failed + saved).join('\n'), BoxIcon::None);
        firstFailed->setFocus();
        return;
    }
    hide();
    if (!saved.isEmpty())
        m_console.messages().inform(applicationTitle(), saved.join('\n'), BoxIcon::Information);
}

std::string SavePanel::SaveTestScore(const QString &path, std::int16_t test)
{
    makeDefaultFolderFor(path);
    return m_console.SaveScore(QFile::encodeName(path).toStdString(), test);
}

} // namespace tarvik::gui
