#include "gui/web_links.h"

#include "gui/gui_console.h"

#include <QDesktopServices>

namespace tarvik::gui {

QUrl productWebSite()
{
    return QUrl(QStringLiteral("https://tarvik.morlo.net/"));
}

QUrl resultDatabaseWebSite()
{
    return QUrl(QStringLiteral("https://hwbot.org/"));
}

void openWebSite(GuiConsole &console, const QUrl &address)
{
    if (!QDesktopServices::openUrl(address))
        console.messages().inform(QStringLiteral("Error"), "Could not open " + address.toDisplayString() + ".",
                                  BoxIcon::Critical);
}

void openLocalFile(GuiConsole &console, const QString &path)
{
    openWebSite(console, QUrl::fromLocalFile(path));
}

} // namespace tarvik::gui
