#include "gui/frm_gui.h"

#include "engine/start.h"
#include "foundation/product.h"
#include "foundation/protocol.h"
#include "gui/advanced_panel.h"
#include "gui/gui_console.h"
#include "gui/install_panel.h"
#include "gui/link_label.h"
#include "gui/optional_libraries.h"
#include "gui/picture.h"
#include "gui/pictures.h"
#include "gui/record_text.h"
#include "gui/results_view.h"
#include "gui/save_panel.h"
#include "gui/submission_panel.h"
#include "gui/test_box.h"
#include "gui/text_fit.h"
#include "gui/theme.h"
#include "gui/twips.h"
#include "gui/web_links.h"
#include "records/score_file.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>

namespace tarvik::gui {

namespace {

// Its forms were designed with an 8.25 point font; the desktop's own font
// takes its place at that size.
constexpr qreal FontPoints = 8.25;
constexpr qreal SubmitLinkPoints = 9.75;

QFont desktopFont(qreal points)
{
    QFont font = QApplication::font();
    font.setPointSizeF(points);
    return font;
}

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A picture and a link beside it that do the same.
template <typename Slot>
void onClick(Picture *picture, LinkLabel *link, QObject *context, Slot slot)
{
    QObject::connect(picture, &Picture::clicked, context, slot);
    QObject::connect(link, &LinkLabel::clicked, context, slot);
}

} // namespace

frmGUI::frmGUI()
{
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFont(desktopFont(FontPoints));
    // The client area shows exactly the main panel.
    setFixedSize(twips(7005), twips(3975));
    buildMainPanel();
    // Key preview: the console key works whichever control has the focus.
    qApp->installEventFilter(this);
}

frmGUI::~frmGUI()
{
    // QWidget's destructor hides the panels, which would reach this object
    // after its own part is gone.
    for (PopupPanel *panel : findChildren<PopupPanel *>())
        panel->disconnect(this);
}

void frmGUI::buildMainPanel()
{
    frahwbot = new QWidget(this);
    theme::paintAsPanel(frahwbot);
    placeTwips(frahwbot, 0, 0, 6975, 3975);
    frahwbot->hide();

    Image2 = new Picture(pictures::banner, frahwbot, true);
    placeTwips(Image2, 0, 0, 3840, 960);
    describe(Image2, QStringLiteral("Tarvik web site"), QStringLiteral("Opens the Tarvik web site in your browser"));
    Image3 = new Picture(pictures::resultDatabase, frahwbot, true);
    placeTwips(Image3, 4440, 240, 2400, 375);
    describe(Image3, QStringLiteral("HWBOT web site"), QStringLiteral("Opens the HWBOT web site in your browser"));
    // The logo is drawn in HWBOT's dark blue: on a dark panel it keeps a
    // white plate of its own, as a printed logo would.
    if (theme::isDark(frahwbot->palette())) {
        QPalette plate = Image3->palette();
        plate.setColor(QPalette::Window, Qt::white);
        Image3->setPalette(plate);
        Image3->setAutoFillBackground(true);
    }
    lblViewedFile = new QLabel(frahwbot);
    placeTwips(lblViewedFile, 3960, 660, 2880, 255);
    lblViewedFile->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblViewedFile->hide();
    auto *Line1 = new QWidget(frahwbot);
    setBackground(Line1, QColor(64, 64, 64));
    Line1->setGeometry(twips(120), twips(960), twips(6840 - 120), 1);

    fraCPUlist = new QGroupBox(QStringLiteral("CPU List"), frahwbot);
    setBackground(fraCPUlist, QApplication::palette().color(QPalette::Window));
    placeTwips(fraCPUlist, 120, 1200, 3855, 1935);
    txtCPU = new QPlainTextEdit(fraCPUlist);
    txtCPU->setReadOnly(true);
    txtCPU->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on from the list instead of being typed into it.
    txtCPU->setTabChangesFocus(true);
    txtCPU->setAccessibleName(QStringLiteral("CPU List"));
    txtCPU->setAccessibleDescription(QStringLiteral("The processor, memory and mainboard of this machine"));
    placeTwips(txtCPU, 120, 360, 3615, 1455);

    fraTest32M = new TestBox(
        {QStringLiteral("32M"), QStringLiteral("32M (speed test)"), 1200, QStringLiteral("Run 32M Benchmark"), 1080, 1575}, frahwbot);
    fraTest1024M = new TestBox(
        {QStringLiteral("1024M"), QStringLiteral("1024M (stability test)"), 2400, QStringLiteral("Run 1024M Benchmark"), 840, 1815}, frahwbot);
    txt32M = fraTest32M->txtScore;
    imgSave32M = fraTest32M->imgSave;
    lbl32M = fraTest32M->lblRun;
    txt1024M = fraTest1024M->txtScore;
    imgSave1024M = fraTest1024M->imgSave;
    lbl1024M = fraTest1024M->lblRun;

    imgInstallLib = new Picture(pictures::install, frahwbot, true);
    placeTwips(imgInstallLib, 120, 3240, 240, 240);
    describe(imgInstallLib, QStringLiteral("Install Missing Libraries"),
             QStringLiteral("Opens the list of optional libraries that are not installed"));
    lblInstallLib = new LinkLabel(QStringLiteral("Install Missing Libraries"), frahwbot);
    placeTwips(lblInstallLib, 480, 3240, 1695, 255);
    fitText(lblInstallLib);
    imgAdvanced = new Picture(pictures::settings, frahwbot, true);
    placeTwips(imgAdvanced, 120, 3600, 240, 240);
    describe(imgAdvanced, QStringLiteral("Advanced Settings"), QStringLiteral("Opens the thread count setting"));
    libAdvanced = new LinkLabel(QStringLiteral("Advanced Settings"), frahwbot);
    placeTwips(libAdvanced, 480, 3600, 1695, 255);
    fitText(libAdvanced);
    lblSubmit = new LinkLabel(QStringLiteral("Submit Scores"), frahwbot);
    QFont larger = lblSubmit->font();
    larger.setPointSizeF(SubmitLinkPoints);
    lblSubmit->setFont(larger);
    placeTwips(lblSubmit, 4080, 3600, 2775, 255);
    fitText(lblSubmit);
    lblSubmit->hide();
    lblResults = new LinkLabel(QStringLiteral("Results History"), frahwbot);
    placeTwips(lblResults, 2400, 3600, 1575, 255);
    fitText(lblResults);
    lblResults->setAccessibleDescription(QStringLiteral("Shows the times of this machine's earlier runs as charts"));
}

void frmGUI::describe(Picture *picture, const QString &name, const QString &description)
{
    picture->setAccessibleName(name);
    picture->setAccessibleDescription(description);
    picture->setToolTip(name);
}

QList<QWidget *> frmGUI::mainPanelActions() const
{
    return {Image2,  Image3,        txtCPU,        txt32M,      imgSave32M, lbl32M,    txt1024M, imgSave1024M,
            lbl1024M, imgInstallLib, lblInstallLib, imgAdvanced, libAdvanced, lblResults, lblSubmit};
}

void frmGUI::setTabOrderOfMainPanel()
{
    const QList<QWidget *> actions = mainPanelActions();
    for (qsizetype i = 1; i < actions.size(); ++i)
        setTabOrder(actions[i - 1], actions[i]);
}

void frmGUI::coverWhileOpen(PopupPanel *panel)
{
    connect(panel, &PopupPanel::opened, this, [this] { coverMainPanel(true); });
    connect(panel, &PopupPanel::closed, this, [this] { coverMainPanel(false); });
}

void frmGUI::coverMainPanel(bool covered)
{
    // The banner and the logo stay above an open panel; what lies under it
    // is out of the keyboard's reach, as it is out of the mouse's.
    for (QWidget *widget : mainPanelActions())
        if (widget != Image2 && widget != Image3)
            widget->setFocusPolicy(covered ? Qt::NoFocus : m_focusPolicies.value(widget));
}

void frmGUI::createPanels()
{
    fraSave = new SavePanel(*parentForm, this);
    fraInstall = new InstallPanel(*parentForm, this);
    fraAdvanced = new AdvancedPanel(*parentForm, this);
    attachSubmissionPanel(new SubmissionPanel(*parentForm, *this));

    connect(Image2, &Picture::clicked, this, [this] { openWebSite(*parentForm, productWebSite()); });
    connect(Image3, &Picture::clicked, this, [this] { openWebSite(*parentForm, resultDatabaseWebSite()); });
    connect(imgSave32M, &Picture::clicked, this, [this] { fraSave->openFor(SpeedTest); });
    connect(imgSave1024M, &Picture::clicked, this, [this] { fraSave->openFor(StabilityTest); });
    connect(lbl32M, &LinkLabel::clicked, this, [this] { cmdGo_Click(SpeedTest); });
    connect(lbl1024M, &LinkLabel::clicked, this, [this] { cmdGo_Click(StabilityTest); });
    onClick(imgInstallLib, lblInstallLib, this, [this] { fraInstall->openWithMissing(); });
    onClick(imgAdvanced, libAdvanced, this, [this] { fraAdvanced->openWithThreads(); });
    connect(lblResults, &LinkLabel::clicked, this, [this] { (new ResultsView(*parentForm, this))->show(); });
    setTabOrderOfMainPanel();
    for (QWidget *widget : mainPanelActions())
        m_focusPolicies.insert(widget, widget->focusPolicy());
    for (PopupPanel *panel : {static_cast<PopupPanel *>(fraSave), static_cast<PopupPanel *>(fraInstall),
                              static_cast<PopupPanel *>(fraAdvanced)})
        coverWhileOpen(panel);
    connect(fraInstall, &InstallPanel::installationEnded, this, [this] {
        showMissingLibraries();
        // Installing the report helper reads the hardware again.
        txtCPU->setPlainText(QString::fromLocal8Bit(parentForm->machine().cpu_string));
    });
}

void frmGUI::setParent(GuiConsole &parent)
{
    parentForm = &parent;
    createPanels();
    setWindowTitle(QString::fromUtf8(ProductTitle));
    const QString scoreFile = parentForm->scoreFileToShow();
    if (!scoreFile.isEmpty()) {
        LoadScore(scoreFile);
        showViewedFile(scoreFile);
    }
    txtCPU->setPlainText(QString::fromLocal8Bit(parentForm->machine().cpu_string));
    // The submitter name goes to the submission panel, which fills itself
    // from the console when it is attached.
    RefreshRecords();
    frahwbot->show();
    showMissingLibraries();
}

void frmGUI::RefreshRecords()
{
    for (std::int16_t i = FirstTest; i <= LastTest; ++i) {
        const std::string text = recordText(parentForm->bestTime(i), parentForm->decimalSeparator());
        recordTexts[static_cast<std::size_t>(i - 1)] = QString::fromStdString(text);
        const QString shown = text.empty() ? QStringLiteral("Not Tested") : QString::fromStdString(text);
        if (i == SpeedTest)
            txt32M->setText(shown);
        else if (i == StabilityTest)
            txt1024M->setText(shown);
    }
}

void frmGUI::showViewedFile(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    setWindowTitle(QString::fromUtf8(ProductTitle) + QStringLiteral(" - Viewer - ") + name);
    const QString line = QStringLiteral("Viewer of ") + name;
    lblViewedFile->setText(lblViewedFile->fontMetrics().elidedText(line, Qt::ElideMiddle, lblViewedFile->width()));
    lblViewedFile->setToolTip(QFileInfo(path).absoluteFilePath());
    lblViewedFile->setAccessibleName(line);
    lblViewedFile->show();
}

bool frmGUI::AnyMissingLibrary() const
{
    for (const OptionalLibrary &library : optionalLibraries())
        if (!parentForm->libraryExists(library.file.toStdString()))
            return true;
    return false;
}

void frmGUI::showMissingLibraries()
{
    // Without the install link the CPU list takes its room.
    const bool missing = AnyMissingLibrary();
    imgInstallLib->setVisible(missing);
    lblInstallLib->setVisible(missing);
    fraCPUlist->resize(fraCPUlist->width(), twips(missing ? 1935 : 2295));
    txtCPU->resize(txtCPU->width(), twips(missing ? 1455 : 1815));
}

void frmGUI::cmdGo_Click(std::int16_t Index)
{
    if (m_handedOver)
        return; // a second click of a double click
    handOverToConsole();
    parentForm->showConsole();
    // The console makes a new front-end window once the test has ended.
    parentForm->returnToFrontEnd();
    parentForm->enterLine("st " + QString::number(Index));
    deleteLater();
}

void frmGUI::handOverToConsole()
{
    m_handedOver = true;
    hide();
}

void frmGUI::Form_KeyDown(int KeyCode, int /*Shift*/)
{
    if (KeyCode != Qt::Key_QuoteLeft || scoreLoaded || m_handedOver)
        return;
    m_handedOver = true;
    parentForm->stayInConsole();
    parentForm->toggleConsole();
    parentForm->printText(QStringLiteral("\n"));
    // The console prompts and waits for a line here; its command loop, which
    // waits for a line as well, then reads the same line and runs it.
    parentForm->getInput();
    m_closedByProgram = true;
    close();
    deleteLater();
}

bool frmGUI::LoadScore(const QString &path)
{
    lbl32M->setEnabled(false);
    lbl1024M->setEnabled(false);
    imgSave32M->hide();
    imgSave1024M->hide();
    imgInstallLib->setEnabled(false);
    lblInstallLib->setEnabled(false);
    imgAdvanced->setEnabled(false);
    libAdvanced->setEnabled(false);
    scoreLoaded = true;
    const std::string message = parentForm->LoadScore(QFile::encodeName(path).toStdString());
    if (message != scoreResults::Loaded) {
        hide();
        parentForm->messages().inform(QStringLiteral("Error"), QString::fromStdString(message), BoxIcon::Critical);
        parentForm->endProgram(EXIT_FAILURE);
    }
    return true;
}

void frmGUI::attachSubmissionPanel(PopupPanel *panel)
{
    fraSubmission = panel;
    coverWhileOpen(panel);
    lblSubmit->show();
    connect(lblSubmit, &LinkLabel::clicked, panel, &PopupPanel::open);
}

bool frmGUI::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->window() == this && isVisible()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        Form_KeyDown(key->key(), static_cast<int>(key->modifiers()));
    }
    return QWidget::eventFilter(watched, event);
}

void frmGUI::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    const QRect desktop = screen()->availableGeometry();
    move(desktop.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
}

void frmGUI::closeEvent(QCloseEvent *event)
{
    if (m_closedByProgram) {
        QWidget::closeEvent(event);
        return;
    }
    // Closed by the user: the whole program ends.
    UnregisterServer();
    parentForm->endProgram(EXIT_SUCCESS);
}

} // namespace tarvik::gui
