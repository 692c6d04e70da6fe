#pragma once

#include <QString>
#include <QUrl>

namespace tarvik {
class GuiConsole;
}

namespace tarvik::gui {

// The web sites behind the front end's two pictures.
QUrl productWebSite();
QUrl resultDatabaseWebSite();

// Opens an address in the desktop's default browser; no shell is involved.
// When the desktop cannot open it, the user is told so in a box.
void openWebSite(GuiConsole &console, const QUrl &address);
// Opens a local file with the desktop's default viewer, reporting failure
// the same way.
void openLocalFile(GuiConsole &console, const QString &path);

} // namespace tarvik::gui
