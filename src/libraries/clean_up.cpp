#include "libraries/clean_up.h"

#include "foundation/fault.h"
#include "console/frm_main.h"
#include "console/message_box.h"
#include "console/settings.h"
#include "engine/start.h"

#include <QFile>

#include <cerrno>
#include <filesystem>
#include <unistd.h>

namespace tarvik {

namespace {

// Every library file this program or an earlier version of it installed.
constexpr const char *OwnLibraries[] = {
    "cpuz141.exe", "cpuz140.exe", "cpuz141-readme.txt", "cpuz140-readme.txt", "cpuz-readme.txt", "cpuz.exe",
    "qelvan.dll",
};
constexpr const char *Winsock = "mswinsck.ocx";
constexpr const char *WinsockWarning =
    "WARNING: Microsoft Winsock Control may be in use by other applications, are you sure you wish to remove this?";
constexpr const char *PathFileAccessError = "Path/File access error";

void removeSetting(frmMain &console, const QString &key)
{
    if (settings::read(key, QString()).isEmpty())
        return;
    settings::remove(key);
    console.PrintLn("Removing " + key + " setting");
}

// Deletes without force: a write-protected file stays, as it would for rm
// without -f.
void deleteFile(const std::string &path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (!error && (status.permissions() & fs::perms::owner_write) == fs::perms::none)
        throw Fault(faults::PermissionDenied);
    if (::unlink(path.c_str()) == 0)
        return;
    const bool denied = errno == EACCES || errno == EPERM || errno == EROFS;
    throw Fault(denied ? faults::PermissionDenied : PathFileAccessError);
}

void removeLibrary(frmMain &console, const QString &file)
{
    if (!console.LibraryExist(file))
        return;
    deleteFile(settings::libraryPath(QFile::encodeName(file).toStdString()));
    console.PrintLn("Deleting " + file);
}

} // namespace

void CleanUp(frmMain &console)
{
    try {
        removeSetting(console, QStringLiteral("Stor_name"));
        removeSetting(console, QStringLiteral("Error"));
        for (const char *file : OwnLibraries)
            removeLibrary(console, QString::fromLatin1(file));
        const QString winsock = QString::fromLatin1(Winsock);
        if (console.LibraryExist(winsock) &&
            console.messageBox->askYesNo(ProductTitle(), QString::fromLatin1(WinsockWarning)))
            removeLibrary(console, winsock);
        console.PrintLn("Tarvik libraries and settings removed.");
    } catch (const Fault &fault) {
        console.PrintLn(fault.description());
    }
}

} // namespace tarvik
