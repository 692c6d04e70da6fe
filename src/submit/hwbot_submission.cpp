#include "submit/hwbot_submission.h"

#include "foundation/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace tarvik::submit {

std::string programVersion()
{
    return clientVersion(1, 5, 5);
}

QString pagesFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation) + "/Tarvik";
    QDir().mkpath(folder);
    return folder;
}

void submit_url(const std::string &hwbot_string, std::int16_t test, SubmitConsole &console, const UrlOpener &openUrl)
{
    const QString path = pagesFolder() + '/' + QString::fromStdString(pageFileName(test));
    files::replaceFileBytes(QFile::encodeName(path).toStdString(), hwbotPage(hwbot_string));
    console.PrintLn("HWBOT submission page: " + path.toStdString());
    if (!openUrl(QUrl::fromLocalFile(path)))
        console.PrintLn("No browser could be started. Please open the page above in your browser.");
}

void submitToHwbot(const HwbotScore &score, const HwbotContext &context, const std::string &action,
                   SubmitConsole &console, const UrlOpener &openUrl)
{
    submit_url(hwbotForm(action, hwbotFields(score, context)), score.test, console, openUrl);
}

} // namespace tarvik::submit
