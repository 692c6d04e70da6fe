#include "console/frm_main.h"
#include "engine/calculator.h"
#include "engine/start.h"

#include <QApplication>

#include <cstdlib>

namespace {

bool displayAvailable()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// "--console" runs the console in the terminal; anything else on the command
// line is the score file to open.
tarvik::LaunchOptions parseArguments(int argc, char **argv)
{
    tarvik::LaunchOptions options;
    QStringList rest;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--console"))
            options.terminal = true;
        else
            rest << arg;
    }
    options.commandLine = rest.join(' ');
    options.terminal = options.terminal || !displayAvailable();
    return options;
}

} // namespace

int main(int argc, char **argv)
{
    const tarvik::LaunchOptions options = parseArguments(argc, argv);
    if (options.terminal && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Morlo"));
    QCoreApplication::setApplicationName(QStringLiteral("Tarvik"));
    tarvik::Calculator::registerClass();
    tarvik::Main(options);
    return EXIT_FAILURE; // only a second launch comes back here
}
