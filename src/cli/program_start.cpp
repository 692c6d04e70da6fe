#include "cli/program_start.h"

#include "cli/results_history.h"
#include "foundation/product.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace tarvik::cli {

namespace {

constexpr int UsageErrorStatus = 2;
constexpr int CannotReadStatus = 1;

void printTo(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

int usageError(const QString &error)
{
    printTo(stderr, "tarvik: " + error + "\nTry 'tarvik --help' for more information.\n");
    return UsageErrorStatus;
}

// Whether the file can be opened for reading; says why not on standard error.
bool scoreFileReadable(const QString &path)
{
    QFile file(path);
    QString problem;
    if (!QFileInfo::exists(path))
        problem = QStringLiteral("no such file");
    else if (QFileInfo(path).isDir())
        problem = QStringLiteral("it is a folder");
    // Opening a pipe would wait for a writer before the program even starts;
    // the load command refuses the same files.
    else if (!QFileInfo(path).isFile())
        problem = QStringLiteral("it is not a regular file");
    else if (!file.open(QIODevice::ReadOnly))
        problem = file.errorString();
    if (problem.isEmpty())
        return true;
    printTo(stderr, "tarvik: cannot read the score file " + path + ": " + problem + "\n");
    return false;
}

} // namespace

QString batchRunLine(int test)
{
    return "st " + QString::number(test);
}

QString programVersion()
{
    return QString::fromUtf8(ProductVersion);
}

StartDecision readCommandLine(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const ParsedCommandLine parsed = parseCommandLine(arguments);
    StartDecision decision{std::nullopt, parsed.options};
    switch (parsed.request) {
    case Request::UsageError:
        decision.exitStatus = usageError(parsed.error);
        return decision;
    case Request::Help: {
        // The help's usage line names the program as users type it.
        char name[] = "tarvik";
        char *nameOnly[] = {name, nullptr};
        int count = 1;
        const QCoreApplication app(count, nameOnly);
        printTo(stdout, helpText());
        decision.exitStatus = 0;
        return decision;
    }
    case Request::Version:
        printTo(stdout, "tarvik " + programVersion() + "\n");
        decision.exitStatus = 0;
        return decision;
    case Request::Start:
        break;
    }
    if (decision.options.history)
        decision.exitStatus = printHistory();
    else if (!decision.options.scoreFile.isEmpty() && !scoreFileReadable(decision.options.scoreFile))
        decision.exitStatus = CannotReadStatus;
    return decision;
}

LaunchOptions launchOptions(const ProgramOptions &options)
{
    LaunchOptions launch;
    launch.terminal = options.console || options.runTest.has_value();
    launch.commandLine = options.scoreFile;
    if (options.runTest) {
        if (options.threads)
            launch.scriptedInput << "ft " + QString::number(*options.threads);
        if (options.quick)
            launch.scriptedInput << QStringLiteral("qm");
        // An automatic repeat decides after each run whether another follows
        // (the program's edges give those lines and the exit).
        const int scriptedRuns = options.repeatAuto ? 1 : options.repeat;
        for (int i = 0; i < scriptedRuns; ++i)
            launch.scriptedInput << batchRunLine(*options.runTest);
        if (!options.repeatAuto)
            launch.scriptedInput << QStringLiteral("exit");
    }
    return launch;
}

} // namespace tarvik::cli
