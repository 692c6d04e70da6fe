#include "console/settings.h"

#include "foundation/paths.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

namespace tarvik::settings {

namespace {
constexpr auto Organization = "Morlo";
constexpr auto Application = "Tarvik";
constexpr auto Section = "Tarvik";

QString sectionKey(const QString &key)
{
    return QString::fromLatin1(Section) + '/' + key;
}

QSettings store()
{
    return QSettings(QString::fromLatin1(Organization), QString::fromLatin1(Application));
}
} // namespace

QString read(const QString &key, const QString &defaultValue)
{
    return store().value(sectionKey(key), defaultValue).toString();
}

void write(const QString &key, const QString &value)
{
    QSettings s = store();
    s.setValue(sectionKey(key), value);
    s.sync();
}

void remove(const QString &key)
{
    QSettings s = store();
    s.remove(sectionKey(key));
    s.sync();
}

QString systemFolder()
{
    QString folder = qEnvironmentVariable("TARVIK_SYSTEM_DIR");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Morlo/Tarvik/system";
    QDir().mkpath(folder);
    return folder;
}

std::string libraryPath(const std::string &file)
{
    return AddSlash(QFile::encodeName(systemFolder()).toStdString()) + file;
}

} // namespace tarvik::settings
