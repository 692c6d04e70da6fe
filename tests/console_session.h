#pragma once

#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <vector>

namespace tarvik::testing {

// Runs the real program in the terminal with lines piped to it, each in a
// private environment: its own settings, system folder and instance lock.
class ConsoleSession {
public:
    ConsoleSession();

    // Starts the program and writes `input` to it; with closeInput the end of
    // input then acts as "exit".
    void start(const QString &input, bool closeInput = true, const QStringList &arguments = {});
    // Starts the program with exactly these arguments (no "--console").
    void startProgram(const QStringList &arguments, const QString &input = {}, bool closeInput = true);
    // Waits for the program to end and returns everything it printed.
    QStringList finish(int timeoutMs = 120000);
    // Waits until the program has printed a line starting with `prefix`.
    bool waitForLine(const QString &prefix, int timeoutMs = 60000);
    void closeInput() { m_process.closeWriteChannel(); }

    QProcess &process() { return m_process; }
    QProcessEnvironment environment() const { return m_environment; }
    // Changes the environment of the next start.
    void setEnvironment(const QProcessEnvironment &environment);
    // The private folder that stands for the user's home.
    QString home() const { return m_home.path(); }
    QString systemFolder() const { return m_home.path() + "/system"; }

private:
    QTemporaryDir m_home;
    QProcessEnvironment m_environment;
    QProcess m_process;
    QByteArray m_output;
};

// The lines printed in reply to one command: those after its echoed prompt
// line up to the next prompt.
struct Reply {
    QString command;
    QStringList lines;
};
std::vector<Reply> replies(const QStringList &transcript);
// The reply to the given occurrence of `command`; a reply of "<missing>"
// when there is none, so that a comparison fails readably.
const Reply &replyTo(const std::vector<Reply> &all, const QString &command, int occurrence = 0);

// The JSON object a results file holds; empty when it cannot be read.
QJsonObject readJson(const QString &path);

} // namespace tarvik::testing
