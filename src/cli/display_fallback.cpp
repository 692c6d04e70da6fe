#include "cli/display_fallback.h"

#include "cli/launch_options.h"

#include <QGuiApplication>

#include <cstdio>

namespace tarvik::cli {

namespace {

const char *const StandByPlatform = "offscreen";
bool standByChosen = false;
QtMessageHandler previousHandler = nullptr;

bool displayNamed()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// The window systems to try, in Qt's own order of preference.
QByteArray windowSystems()
{
    QByteArrayList systems;
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    if (wayland && qgetenv("XDG_SESSION_TYPE") == "wayland")
        systems << "wayland";
    if (x11)
        systems << "xcb";
    if (wayland && !systems.contains("wayland"))
        systems << "wayland";
    systems << StandByPlatform;
    return systems.join(';');
}

// While the window system is tried, its complaints about an unreachable
// display are replaced by the one line confirmDisplay writes.
void quietPlatformMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (context.category && QByteArray(context.category).startsWith("qt.qpa"))
        return;
    previousHandler(type, context, message);
}

} // namespace

void chooseDisplay(LaunchOptions &options)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return; // the user's own choice of window system stands
    if (options.terminal || !displayNamed()) {
        options.terminal = true;
        qputenv("QT_QPA_PLATFORM", StandByPlatform);
        return;
    }
    qputenv("QT_QPA_PLATFORM", windowSystems());
    standByChosen = true;
    previousHandler = qInstallMessageHandler(quietPlatformMessages);
}

void confirmDisplay(LaunchOptions &options)
{
    if (!standByChosen)
        return;
    qInstallMessageHandler(previousHandler);
    // Programs the console starts (a browser, say) make their own choice.
    qunsetenv("QT_QPA_PLATFORM");
    if (QGuiApplication::platformName() != QLatin1String(StandByPlatform))
        return;
    const QByteArray display =
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? qgetenv("DISPLAY") : qgetenv("WAYLAND_DISPLAY");
    std::fprintf(stderr, "tarvik: cannot connect to the display %s; the console runs in the terminal.\n",
                 display.constData());
    options.terminal = true;
}

} // namespace tarvik::cli
