#include "console/frm_main.h"

#include "console/score_commands.h"
#include "console/settings.h"
#include "console/terminal_bridge.h"
#include "console/user_locale.h"
#include "engine/calculator.h"
#include "engine/object_registry.h"
#include "hardware/hardware_commands.h"
#include "libraries/library_commands.h"
#include "records/score_storage.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>

namespace tarvik {

namespace {
// The pane is cleared once it holds this many characters.
constexpr qsizetype kPaneLimit = 32000;
const QString kClearing = QStringLiteral("Clearing console");
} // namespace

frmMain::frmMain(const LaunchOptions &options)
    : m_options(options),
      m_decimalSeparator(userDecimalSeparator()),
      txtOut(new QPlainTextEdit(this)),
      txtConsole(new QLineEdit(this)),
      m_run(*this, records),
      m_runCalls(m_run, *this, cacheMode),
      m_gateway(m_runCalls),
      m_commands(*this)
{
    resize(473, 418);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setPointSizeF(8.25);
    txtOut->setFont(font);
    txtConsole->setFont(font);
    txtOut->setReadOnly(true);
    txtOut->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtOut->installEventFilter(this);
    txtConsole->setFrame(false);
    txtConsole->setTextMargins(0, 0, 0, 0);
    txtConsole->setContentsMargins(0, 0, 0, 0);
    txtConsole->hide();
    connect(txtConsole, &QLineEdit::returnPressed, this, [this] { txtConsole_KeyDown(13, 0); });
    m_commands.add(scoreCommands(*this));
    m_commands.add(hardwareCommands(*this));
    m_commands.add(libraryCommands(*this));
    if (options.terminal)
        m_terminal = std::make_unique<TerminalBridge>(*this, options.scriptedInput);
    messageBox = m_terminal ? consoleMessageBox(*this) : windowMessageBox(this);
    if (options.consoleCreated)
        options.consoleCreated(*this);
}

frmMain::~frmMain() = default;

void frmMain::PrintLn(const QString &s)
{
    // The terminal gets the line before events are processed, so that lines
    // printed by the handlers run then follow it there as in the pane.
    if (m_terminal)
        m_terminal->write(s + '\n');
    printLine(s);
}

void frmMain::printLine(const QString &s)
{
    if (m_paneLength >= kPaneLimit) {
        txtOut->setPlainText(kClearing + '\n');
        m_paneLength = kClearing.size() + 2;
    }
    appendToPane(s + '\n');
    processEvents();
}

void frmMain::PrintLn(const std::string &s)
{
    PrintLn(QString::fromStdString(s));
}

void frmMain::PrintCh(const QString &s)
{
    appendToPane(s);
    if (m_terminal)
        m_terminal->write(s);
}

void frmMain::appendToPane(const QString &text)
{
    QTextCursor cursor = txtOut->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
    txtOut->setTextCursor(cursor);
    m_paneLength += text.size() + text.count('\n'); // each line end counts as CR LF
}

QString frmMain::getInput()
{
    txtConsole->show();
    txtConsole->clear();
    if (isVisible())
        txtConsole->setFocus();
    m_inputTag.clear();
    PrintCh(QStringLiteral(">"));
    placeInputField(); // right after the prompt
    m_awaitingInput = true;
    emit inputAwaited();
    if (m_inputTag != QLatin1String("Ready")) {
        QEventLoop wait;
        connect(this, &frmMain::lineReady, &wait, &QEventLoop::quit);
        wait.exec();
    }
    m_awaitingInput = false;
    const QString text = txtConsole->text();
    txtConsole->hide();
    if (m_terminal)
        m_terminal->echo(text);
    printLine(text);
    return text;
}

void frmMain::txtConsole_KeyDown(int KeyCode, int /*Shift*/)
{
    if (KeyCode != 13)
        return;
    m_inputTag = QStringLiteral("Ready");
    emit lineReady();
}

bool frmMain::isAwaitingInput() const
{
    return m_awaitingInput && m_inputTag.isEmpty();
}

void frmMain::placeInputField()
{
    // The field continues the last line of the pane, right after the prompt;
    // when the history is taller than the window it sits 9 pixels above the
    // bottom edge, where the scrolled pane shows its last line.
    const QRect caret = txtOut->cursorRect();
    const QPoint at = txtOut->viewport()->mapTo(this, caret.topLeft());
    const int fieldHeight = caret.height() + 2;
    int top = at.y() - 1;
    if (top > height() - fieldHeight)
        top = height() - fieldHeight - 9;
    txtConsole->setGeometry(at.x(), top, width() - 20 - at.x(), fieldHeight);
}

void frmMain::Form_Resize()
{
    if (width() <= 30 || height() <= 0)
        return; // minimised or too small to lay out: nothing to show
    txtOut->setGeometry(0, 0, width(), height());
    placeInputField();
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtOut && event->type() == QEvent::FocusIn && txtConsole->isVisible())
        txtConsole->setFocus();
    return QWidget::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent *)
{
    Form_Unload();
}

void frmMain::processEvents()
{
    QCoreApplication::processEvents();
}

void frmMain::StartTest(std::int16_t size, bool quiet)
{
    m_run.StartTest(size, quiet, {Threads, cacheMode, quickMode});
}

void frmMain::startWorker(const WorkerJob &job)
{
    const std::unique_ptr<QObject> object = createObject(QString::fromLatin1(Calculator::ProgId));
    static_cast<Calculator *>(object.get())
        ->Init(&m_gateway, job.threadID, job.Low, job.High, job.cache, job.quiet);
}

void frmMain::runEnded(bool /*quiet*/)
{
    if (revert_to_gui) {
        revert_to_gui = false;
        m_commands.run("gui");
    }
    emit runFinished();
}

void frmMain::waitWhileTestRunning()
{
    if (!testRunning())
        return;
    QEventLoop wait;
    connect(this, &frmMain::runFinished, &wait, &QEventLoop::quit);
    wait.exec();
}

void frmMain::doInput(const std::string &cmd)
{
    std::string line = cmd;
    for (;;) {
        if (!m_commands.run(line))
            m_run.abandon();
        waitWhileTestRunning();
        line = getInput().toStdString();
    }
}

std::string frmMain::SaveScore(const std::string &path, std::int16_t test)
{
    return saveScore(path, test, records, hw, Threads, m_decimalSeparator);
}

std::string frmMain::LoadScore(const std::string &path)
{
    const LoadOutcome outcome = loadScore(path, m_decimalSeparator);
    if (outcome.score)
        outcome.score->applyTo(hw, Threads, records);
    return outcome.message;
}

void frmMain::loadUserName()
{
    stor_name = settings::read(QStringLiteral("Stor_name"), QString());
}

void frmMain::saveUserName(const QString &name)
{
    if (name == stor_name)
        return;
    stor_name = name;
    settings::write(QStringLiteral("Stor_name"), name);
}

bool frmMain::LibraryExist(const QString &lib) const
{
    return QFileInfo::exists(QFile::decodeName(settings::libraryPath(QFile::encodeName(lib).toStdString()).c_str()));
}

} // namespace tarvik
