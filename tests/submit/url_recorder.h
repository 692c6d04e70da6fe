#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QUrl>

#include <vector>

namespace tarvik::testing {

// Takes the place of the desktop's browser while it lives: every address the
// program opens with QDesktopServices is recorded instead.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder()
    {
        for (const char *scheme : {"file", "http"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }
    ~UrlRecorder() override
    {
        for (const char *scheme : {"file", "http"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    std::vector<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.push_back(url); }
};

} // namespace tarvik::testing
