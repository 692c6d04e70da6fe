#include "cli/program_options.h"

#include "foundation/protocol.h"

#include <QCommandLineParser>

namespace tarvik::cli {

namespace {

// Each repetition is one scripted line, so the count stays modest.
const int MostRepeats = 10000;
// A day: a longer budget is a typing slip rather than a plan.
const double MostMaxTime = 86400;

const char *const ExitStatusText = R"(
Exit status:
  0    every test run completed without errors
  1    a test run detected errors, a worker ended the program, a score file
       could not be read or the results could not be written
  2    the command line could not be used
  129  ended by SIGHUP (the terminal closed); 130 by SIGINT (Ctrl+C);
       143 by SIGTERM
)";

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{{"h", "help"}, "Show this help and exit."};
    QCommandLineOption version{"version", "Show the program's version and exit."};
    QCommandLineOption console{"console", "Run the console in the terminal instead of the window."};
    QCommandLineOption run{"run", "Run test <test> (1 to 16; 6 is 32M, 11 is 1024M) in the terminal and exit.", "test"};
    QCommandLineOption threads{"threads",
                               "With --run: use <count> worker threads (1 to 256) instead of one per "
                               "logical processor.",
                               "count"};
    QCommandLineOption quick{"quick", "With --run: quick mode, 1024 times fewer numbers."};
    QCommandLineOption repeat{"repeat",
                              "With --run: run the test <n> times, or with \"auto\" at least 3 times and until the "
                              "coefficient of variation of the times is under 3.5 % or --max-time is spent; the record "
                              "keeps the best time and a summary of the runs ends the output.",
                              "n"};
    QCommandLineOption maxTime{"max-time",
                               "With --repeat auto: the seconds the runs may take together before the repeat "
                               "stops (60 unless given).",
                               "seconds"};
    QCommandLineOption json{"json", "When the program ends, write every completed run to <file> as JSON.", "file"};
    QCommandLineOption history{"history", "Print the results history, fastest first per test, and exit."};

    Parser()
    {
        parser.setApplicationDescription(QStringLiteral("Tarvik, a multithreaded processor benchmark."));
        parser.addOptions({help, version, console, run, threads, quick, repeat, maxTime, json, history});
        parser.addPositionalArgument(QStringLiteral("score-file"),
                                     QStringLiteral("A score file to show in the window's viewer."),
                                     QStringLiteral("[score-file]"));
    }
};

// A whole number from lowest to highest, or nothing.
std::optional<int> wholeNumber(const QString &text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

QString checkBatchOptions(const Parser &p, ProgramOptions &options)
{
    if (p.parser.isSet(p.run)) {
        options.runTest = wholeNumber(p.parser.value(p.run), FirstTest, LastTest);
        if (!options.runTest)
            return QStringLiteral("--run needs a test number from 1 to 16");
    }
    if (p.parser.isSet(p.threads)) {
        options.threads = wholeNumber(p.parser.value(p.threads), 1, MostThreads);
        if (!options.threads)
            return QStringLiteral("--threads needs a count from 1 to 256");
    }
    if (p.parser.isSet(p.repeat)) {
        options.repeatAuto = p.parser.value(p.repeat) == QStringLiteral("auto");
        const std::optional<int> repeat = wholeNumber(p.parser.value(p.repeat), 1, MostRepeats);
        if (!repeat && !options.repeatAuto)
            return QStringLiteral("--repeat needs a count from 1 to 10000, or auto");
        options.repeat = repeat.value_or(MostRepeats);
    }
    if (p.parser.isSet(p.maxTime)) {
        bool ok = false;
        options.maxTimeSeconds = p.parser.value(p.maxTime).toDouble(&ok);
        if (!ok || !(options.maxTimeSeconds > 0 && options.maxTimeSeconds <= MostMaxTime))
            return QStringLiteral("--max-time needs a number of seconds above 0, at most 86400");
        if (!options.repeatAuto)
            return QStringLiteral("--max-time goes with --repeat auto");
    }
    options.quick = p.parser.isSet(p.quick);
    const bool batchOnly = options.threads || options.quick || p.parser.isSet(p.repeat);
    if (batchOnly && !options.runTest)
        return QStringLiteral("--threads, --quick and --repeat go with --run");
    if (options.runTest && !options.scoreFile.isEmpty())
        return QStringLiteral("--run and a score file cannot go together");
    return {};
}

} // namespace

ParsedCommandLine parseCommandLine(const QStringList &arguments)
{
    Parser p;
    ParsedCommandLine result;
    if (!p.parser.parse(arguments)) {
        result.request = Request::UsageError;
        result.error = p.parser.errorText();
        return result;
    }
    if (p.parser.isSet(p.help)) {
        result.request = Request::Help;
        return result;
    }
    if (p.parser.isSet(p.version)) {
        result.request = Request::Version;
        return result;
    }
    ProgramOptions &options = result.options;
    const QStringList positional = p.parser.positionalArguments();
    if (positional.size() > 1) {
        result.request = Request::UsageError;
        result.error = QStringLiteral("only one score file can be given");
        return result;
    }
    options.scoreFile = positional.value(0);
    options.console = p.parser.isSet(p.console);
    options.jsonFile = p.parser.value(p.json);
    options.history = p.parser.isSet(p.history);
    result.error = checkBatchOptions(p, options);
    if (!result.error.isEmpty())
        result.request = Request::UsageError;
    return result;
}

QString helpText()
{
    return Parser().parser.helpText() + QString::fromLatin1(ExitStatusText);
}

} // namespace tarvik::cli
