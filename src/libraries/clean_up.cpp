#include "libraries/clean_up.h"

#include "foundation/fault.h"
#include "foundation/product.h"

#include <cerrno>
#include <filesystem>
#include <unistd.h>

namespace tarvik {

namespace {

// Every library file this program or an earlier version of it installed.
constexpr const char *OwnLibraries[] = {
    "cpuz141.exe",     "cpuz140.exe", "cpuz141-readme.txt", "cpuz140-readme.txt",
    "cpuz-readme.txt", "cpuz.exe",    "qelvan.dll",
};
constexpr const char *Winsock = "mswinsck.ocx";
constexpr const char *WinsockWarning =
    "WARNING: Microsoft Winsock Control may be in use by other applications, are you sure you wish to remove this?";

void removeSetting(LibraryConsole &console, const std::string &key)
{
    if (console.readSetting(key).empty())
        return;
    console.removeSetting(key);
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
        throw Fault(faults::PermissionDenied, "deleting " + path);
    if (::unlink(path.c_str()) == 0)
        return;
    const bool denied = errno == EACCES || errno == EPERM || errno == EROFS;
    throw Fault(denied ? faults::PermissionDenied : faults::PathFileAccessError, "deleting " + path, errno);
}

void removeLibrary(LibraryConsole &console, const std::string &file)
{
    if (!console.libraryExists(file))
        return;
    deleteFile(console.libraryPath(file));
    console.PrintLn("Deleting " + file);
}

} // namespace

void CleanUp(LibraryConsole &console)
{
    try {
        removeSetting(console, "Stor_name");
        removeSetting(console, "Error");
        for (const char *file : OwnLibraries)
            removeLibrary(console, file);
        if (console.libraryExists(Winsock) && console.askYesNo(std::string(ProductTitle), WinsockWarning))
            removeLibrary(console, Winsock);
        console.PrintLn("Tarvik libraries and settings removed.");
    } catch (const Fault &fault) {
        console.PrintLn(fault.description());
    }
}

} // namespace tarvik
