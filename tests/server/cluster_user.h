#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace tarvik::server::testing {

// The database's programs refuse to run as root, so when the tests run as
// root they run them as the "postgres" system user, in folders handed to it.
bool runningAsRoot();
// Gives `path` to the cluster's user when the tests run as root; throws
// std::runtime_error when that fails.
void handToClusterUser(const QString &path);
// Starts `program` as the cluster's user (as the tests' own user otherwise).
void startAsClusterUser(QProcess &process, const QString &program, const QStringList &arguments);

} // namespace tarvik::server::testing
