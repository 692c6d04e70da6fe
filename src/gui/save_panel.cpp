#include "gui/save_panel.h"

#include "foundation/protocol.h"
#include "gui/gui_console.h"
#include "gui/link_label.h"
#include "gui/text_fit.h"
#include "gui/twips.h"
#include "records/score_file.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>

namespace tarvik::gui {

namespace {

QString defaultPath(const QString &fileName)
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(fileName);
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

// A check box with the path field it enables.
QCheckBox *savePath(const QString &caption, int top, int width, QLineEdit *path, QWidget *parent)
{
    auto *check = new QCheckBox(caption, parent);
    placeTwips(check, 120, top, width, 255);
    fitText(check);
    placeTwips(path, 2160, top, 4335, 285);
    QObject::connect(check, &QCheckBox::toggled, path, &QLineEdit::setEnabled);
    path->setEnabled(false);
    return check;
}

} // namespace

SavePanel::SavePanel(GuiConsole &console, QWidget *parent)
    : PopupPanel(QStringLiteral("Save Score"), parent),
      txt32Mpath(new QLineEdit(defaultPath(QStringLiteral("32Mtest.tks")), this)),
      txt1024Mpath(new QLineEdit(defaultPath(QStringLiteral("1024Mtest.tks")), this)),
      lblSaveScore(new LinkLabel(QStringLiteral("Save"), this)),
      lblCloseSave(new LinkLabel(QStringLiteral("Cancel"), this)),
      m_console(console)
{
    explanation(QStringLiteral("This will save your score to a file. You can load it again by opening the output "
                               "file with Tarvik. Please check which scores to save and enter the output path in "
                               "the textbox."),
                this, 360, 495);
    chkSave32M = savePath(QStringLiteral("Save 32M Score"), 960, 1575, txt32Mpath, this);
    chkSave1024M = savePath(QStringLiteral("Save 1024M Score"), 1440, 1815, txt1024Mpath, this);
    explanation(QStringLiteral("To load the output file for submission, drag it into the Tarvik executable and drop."),
                this, 1800, 255);
    placeTwips(lblSaveScore, 2040, 2280, 1215, 255);
    placeTwips(lblCloseSave, 3360, 2280, 1215, 255);
    connect(lblSaveScore, &LinkLabel::clicked, this, &SavePanel::lblSaveScore_Click);
    connect(lblCloseSave, &LinkLabel::clicked, this, &QWidget::hide);
}

void SavePanel::openFor(std::int16_t test)
{
    chkSave32M->setEnabled(m_console.bestTime(SpeedTest) != 0);
    chkSave1024M->setEnabled(m_console.bestTime(StabilityTest) != 0);
    QCheckBox *chosen = test == SpeedTest ? chkSave32M : chkSave1024M;
    if (chosen->isEnabled())
        chosen->setChecked(true);
    txt32Mpath->setEnabled(chkSave32M->isChecked());
    txt1024Mpath->setEnabled(chkSave1024M->isChecked());
    open();
}

void SavePanel::lblSaveScore_Click()
{
    // Only the check counts: a box checked earlier is saved even when its
    // test has lost its time since.
    if (chkSave32M->isChecked())
        SaveTestScore(txt32Mpath->text(), SpeedTest);
    if (chkSave1024M->isChecked())
        SaveTestScore(txt1024Mpath->text(), StabilityTest);
    hide();
}

void SavePanel::SaveTestScore(const QString &path, std::int16_t test)
{
    const std::string message = m_console.SaveScore(QFile::encodeName(path).toStdString(), test);
    if (message != scoreResults::Saved)
        m_console.messages().inform(QCoreApplication::applicationName(), QString::fromStdString(message),
                                    BoxIcon::None);
}

} // namespace tarvik::gui
