#include "cli/desktop_identity.h"
#include "cli/display_fallback.h"
#include "cli/program_edges.h"
#include "cli/program_start.h"
#include "cli/runtime_folder.h"
#include "console/frm_main.h"
#include "engine/calculator.h"
#include "engine/start.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char **argv)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Morlo"));
    QCoreApplication::setApplicationName(QStringLiteral("Tarvik"));
    const tarvik::cli::StartDecision start = tarvik::cli::readCommandLine(argc, argv);
    if (start.exitStatus)
        return *start.exitStatus;
    tarvik::LaunchOptions options = tarvik::cli::launchOptions(start.options);
    tarvik::cli::provideRuntimeFolder();
    tarvik::cli::chooseDisplay(options);
    QApplication app(argc, argv);
    tarvik::cli::confirmDisplay(options);
    tarvik::cli::showDesktopIdentity();
    tarvik::cli::ProgramEdges edges(start.options, options);
    tarvik::Calculator::registerClass();
    tarvik::Main(options);
    return EXIT_FAILURE; // only a second launch comes back here
}
