#include "cli/runtime_folder.h"

#include <QDir>

#include <sys/stat.h>
#include <unistd.h>

namespace tarvik::cli {

void provideRuntimeFolder()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QByteArray folder = QFile::encodeName(QDir::tempPath() + "/runtime-" + QString::number(getuid()));
    mkdir(folder.constData(), S_IRWXU);
    // Only a real folder of this user that nobody else can enter will do;
    // otherwise the variable stays unset and the usual default applies.
    struct stat status {};
    if (lstat(folder.constData(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != getuid() ||
        (status.st_mode & 0777) != S_IRWXU)
        return;
    qputenv("XDG_RUNTIME_DIR", folder);
}

} // namespace tarvik::cli
