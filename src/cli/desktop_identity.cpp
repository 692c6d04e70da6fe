#include "cli/desktop_identity.h"

#include <QGuiApplication>
#include <QIcon>

namespace tarvik::cli {

void showDesktopIdentity()
{
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/tarvik/tarvik-48.png")));
    // The launcher's name (org.morlo.Tarvik.desktop), which the AppStream
    // metadata names too, so a desktop matches windows to their launcher.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.morlo.Tarvik"));
}

} // namespace tarvik::cli
