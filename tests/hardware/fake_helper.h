#pragma once

#include <QDir>
#include <QFile>
#include <QString>

namespace tarvik::testing {

// Puts a shell script in the report helper's place, cpuz141.exe in `folder`,
// to play a helper that misbehaves. The script finds the report file the
// console asks for in $report. A helper that is not executable cannot start.
inline void installFakeHelper(const QString &folder, const QString &body, bool executable = true)
{
    QDir().mkpath(folder);
    QFile script(folder + "/cpuz141.exe");
    if (!script.open(QIODevice::WriteOnly))
        return;
    script.write("#!/bin/sh\nreport=\"${1#-txt=}.txt\"\n" + body.toUtf8() + "\n");
    script.close();
    script.setPermissions(executable ? script.permissions() | QFile::ExeOwner | QFile::ExeUser
                                     : QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace tarvik::testing
