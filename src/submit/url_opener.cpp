#include "submit/url_opener.h"

#include <QDesktopServices>

namespace tarvik::submit {

UrlOpener desktopOpener()
{
    return [](const QUrl &url) { return QDesktopServices::openUrl(url); };
}

} // namespace tarvik::submit
