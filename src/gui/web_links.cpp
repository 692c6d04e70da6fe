#include "gui/web_links.h"

#include "console/frm_main.h"

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

void openWebSite(frmMain &console, const QUrl &address)
{
    if (!QDesktopServices::openUrl(address))
        console.messageBox->inform(QStringLiteral("Error"), "Could not open " + address.toDisplayString() + ".",
                                   BoxIcon::Critical);
}

void openLocalFile(frmMain &console, const QString &path)
{
    openWebSite(console, QUrl::fromLocalFile(path));
}

} // namespace tarvik::gui
