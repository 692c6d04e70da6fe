#include "cluster_user.h"

#include <QFile>

#include <pwd.h>
#include <stdexcept>
#include <unistd.h>

namespace tarvik::server::testing {

namespace {

const char *ClusterUser = "postgres";

} // namespace

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

void handToClusterUser(const QString &path)
{
    if (!runningAsRoot())
        return;
    const passwd *user = ::getpwnam(ClusterUser);
    if (!user || ::chown(QFile::encodeName(path).constData(), user->pw_uid, user->pw_gid) != 0)
        throw std::runtime_error("cannot hand " + path.toStdString() + " to the user postgres");
}

void startAsClusterUser(QProcess &process, const QString &program, const QStringList &arguments)
{
    if (runningAsRoot())
        process.start(QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), QString::fromLatin1(ClusterUser),
                                                             QStringLiteral("--"), program} +
                                                     arguments);
    else
        process.start(program, arguments);
}

} // namespace tarvik::server::testing
