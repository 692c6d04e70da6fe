#include "console/frm_main.h"

#include "console/line_limit.h"
#include "console/settings.h"
#include "console/terminal_bridge.h"
#include "console/user_locale.h"
#include "engine/calculator.h"
#include "engine/object_registry.h"
#include "engine/process_end.h"
#include "libraries/library_installer.h"
#include "records/score_storage.h"
#include "foundation/protocol.h"
#include "console/console_submission.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScrollBar>

namespace tarvik {

namespace {
// The pane is cleared once it holds this many characters.
constexpr qsizetype PaneLimit = 32000;
const QString Clearing = QStringLiteral("Clearing console");
} // namespace

frmMain::frmMain(const LaunchOptions &options)
    : m_options(options),
      m_decimalSeparator(userDecimalSeparator()),
      txtOut(new QPlainTextEdit(this)),
      txtConsole(new QLineEdit(this)),
      m_engine(*this, records),
      m_commands(*this),
      m_submission(std::make_unique<ConsoleSubmission>(*this))
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
    txtConsole->installEventFilter(this);
    txtConsole->setFrame(false);
    txtConsole->setTextMargins(0, 0, 0, 0);
    txtConsole->setContentsMargins(0, 0, 0, 0);
    txtConsole->hide();
    // One character beyond the longest line, so that a longer paste is
    // refused rather than silently cut.
    txtConsole->setMaxLength(static_cast<int>(LongestLine) + 1);
    connect(txtConsole, &QLineEdit::returnPressed, this, [this] { txtConsole_KeyDown(EnterKey, 0); });
    if (options.terminal)
        m_terminal = std::make_unique<TerminalBridge>(*this, options.scriptedInput, options.moreScriptedInput);
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
    if (m_paneLength >= PaneLimit) {
        txtOut->setPlainText(Clearing + '\n');
        m_paneLength = Clearing.size() + 2;
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
    // Scrolled back, the user is reading: new lines do not pull the view
    // down. Scrolled to the end again, the view follows, as in a terminal.
    QScrollBar *scroll = txtOut->verticalScrollBar();
    const bool following = scroll->value() == scroll->maximum();
    const int readingAt = scroll->value();
    QTextCursor cursor = txtOut->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
    txtOut->setTextCursor(cursor);
    scroll->setValue(following ? scroll->maximum() : readingAt);
    m_paneLength += text.size() + text.count('\n'); // each line end counts as CR LF
}

QString frmMain::getInput()
{
    QString text = awaitLine();
    while (static_cast<std::size_t>(text.toLocal8Bit().size()) > LongestLine) {
        if (m_terminal)
            m_terminal->echo(QString());
        printLine(QString());
        PrintLn(QString::fromLatin1(LineTooLong));
        text = awaitLine();
    }
    // A read nested in another (the front end's console key) has echoed the
    // line already; the outer read returns the same line without a second echo.
    if (m_linesEchoed != m_linesEntered) {
        m_linesEchoed = m_linesEntered;
        if (m_terminal)
            m_terminal->echo(text);
        printLine(text);
    }
    return text;
}

QString frmMain::awaitLine()
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
    return text;
}

void frmMain::txtConsole_KeyDown(int KeyCode, int /*Shift*/)
{
    if (KeyCode != EnterKey)
        return;
    m_inputTag = QStringLiteral("Ready");
    ++m_linesEntered;
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
    QTextCursor end = txtOut->textCursor(); // the user may have selected text elsewhere
    end.movePosition(QTextCursor::End);
    const QRect caret = txtOut->cursorRect(end);
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
    keepEndInView();
    placeInputField();
}

void frmMain::keepEndInView()
{
    // A smaller window would otherwise keep showing older lines, with the
    // input field over them and the prompt out of sight.
    QScrollBar *scroll = txtOut->verticalScrollBar();
    scroll->setValue(scroll->maximum());
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
    if (watched == txtConsole && copyPaneSelection(event))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool frmMain::copyPaneSelection(QEvent *event)
{
    // Text selected in the pane is copied by the copy key, although the key
    // goes to the input field, which holds the focus while a line is awaited.
    if (event->type() != QEvent::KeyPress || !static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy))
        return false;
    if (txtConsole->hasSelectedText() || !txtOut->textCursor().hasSelection())
        return false;
    txtOut->copy();
    return true;
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
    m_engine.StartTest(size, quiet, {Threads, cacheMode, quickMode});
}

void frmMain::runStarting()
{
    if (m_options.runStarting)
        m_options.runStarting();
}

void frmMain::runCompleted(const CompletedRun &run)
{
    if (m_options.runCompleted)
        m_options.runCompleted(run);
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
            m_engine.abandon();
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

bool frmMain::installLibrary(const std::string &file)
{
    const InstallOutcome outcome = install(*this, file);
    if (!outcome.refusal.empty())
        lastError = QString::fromStdString(outcome.refusal);
    return outcome.installed;
}

void frmMain::enterLine(const QString &line)
{
    txtConsole->setText(line);
    txtConsole_KeyDown(EnterKey, 0);
}

void frmMain::endProgram(int exitStatus)
{
    endProcess(exitStatus);
}

bool frmMain::libraryExists(const std::string &file) const
{
    return LibraryExist(QString::fromStdString(file));
}

std::string frmMain::systemFolder() const
{
    return settings::systemFolder().toStdString();
}

bool frmMain::askYesNo(const std::string &title, const std::string &question)
{
    return messageBox->askYesNo(QString::fromStdString(title), QString::fromStdString(question));
}

std::string frmMain::libraryPath(const std::string &file) const
{
    return settings::libraryPath(file);
}

std::string frmMain::readSetting(const std::string &key) const
{
    return settings::read(QString::fromStdString(key), QString()).toStdString();
}

void frmMain::removeSetting(const std::string &key)
{
    settings::remove(QString::fromStdString(key));
}

} // namespace tarvik
