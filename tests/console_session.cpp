#include "console_session.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>

#include <gtest/gtest.h>

namespace tarvik::testing {

ConsoleSession::ConsoleSession() : m_environment(QProcessEnvironment::systemEnvironment())
{
    const QString runtime = m_home.path() + "/runtime";
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_environment.insert("XDG_RUNTIME_DIR", runtime);
    m_environment.insert("XDG_CONFIG_HOME", m_home.path() + "/config");
    m_environment.insert("XDG_DATA_HOME", m_home.path() + "/data");
    m_environment.insert("TARVIK_SYSTEM_DIR", systemFolder());
    m_environment.insert("LC_ALL", "C.UTF-8");
    m_process.setProcessEnvironment(m_environment);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
}

void ConsoleSession::start(const QString &input, bool closeInput, const QStringList &arguments)
{
    startProgram(QStringList{"--console"} + arguments, input, closeInput);
}

void ConsoleSession::startProgram(const QStringList &arguments, const QString &input, bool closeInput)
{
    m_process.start(QStringLiteral(TARVIK_BINARY), arguments);
    ASSERT_TRUE(m_process.waitForStarted());
    m_process.write(input.toUtf8());
    if (closeInput)
        m_process.closeWriteChannel();
}

void ConsoleSession::setEnvironment(const QProcessEnvironment &environment)
{
    m_environment = environment;
    m_process.setProcessEnvironment(environment);
}

bool ConsoleSession::waitForLine(const QString &prefix, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        m_process.waitForReadyRead(100);
        m_output += m_process.readAllStandardOutput();
        for (const QString &line : QString::fromUtf8(m_output).split('\n'))
            if (line.startsWith(prefix))
                return true;
    }
    return false;
}

QStringList ConsoleSession::finish(int timeoutMs)
{
    if (!m_process.waitForFinished(timeoutMs))
        m_process.kill();
    m_output += m_process.readAllStandardOutput();
    QStringList lines = QString::fromUtf8(m_output).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

std::vector<Reply> replies(const QStringList &transcript)
{
    std::vector<Reply> result;
    for (const QString &line : transcript) {
        if (line.startsWith('>'))
            result.push_back({line.mid(1), {}});
        else if (!result.empty())
            result.back().lines << line;
    }
    return result;
}

const Reply &replyTo(const std::vector<Reply> &all, const QString &command, int occurrence)
{
    for (const Reply &reply : all)
        if (reply.command == command && occurrence-- == 0)
            return reply;
    static const Reply none{"<no such command>", {"<missing>"}};
    return none;
}

QJsonObject readJson(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

} // namespace tarvik::testing
