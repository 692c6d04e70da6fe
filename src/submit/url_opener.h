#pragma once

#include <QUrl>

#include <functional>

namespace tarvik::submit {

// Opens an address with the desktop's default application (a web browser
// for http, the browser or a viewer for a page on disk); false when none
// could be started. Tests put in one that records the address.
using UrlOpener = std::function<bool(const QUrl &url)>;

// QDesktopServices::openUrl: no shell is involved.
UrlOpener desktopOpener();

} // namespace tarvik::submit
