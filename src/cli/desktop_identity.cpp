#include "cli/desktop_identity.h"

#include <QGuiApplication>
#include <QIcon>

namespace tarvik::cli {

void showDesktopIdentity()
{
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/tarvik/tarvik-48.png")));
    QGuiApplication::setDesktopFileName(QStringLiteral("tarvik"));
}

} // namespace tarvik::cli
