#include "libraries/library_installer.h"

#include "foundation/fault.h"
#include "hardware/report_runner.h"
#include "foundation/file_bytes.h"

#include <QDir>
#include <QFile>

namespace tarvik {

namespace {

// The libraries the program carries, one resource each, named like the file.
const QString LibraryResources = QStringLiteral(":/libraries");

// The report helper's settings: DMI=ON makes its report carry the mainboard
// sections the summary reads.
constexpr const char *ReportHelperSettings = "[CPU-Z]\r\n"
                                             "TextFontName=\r\n"
                                             "TextFontSize=14\r\n"
                                             "TextFontColor=000080\r\n"
                                             "LabelFontName=\r\n"
                                             "LabelFontSize=14\r\n"
                                             "VCore=0\r\n"
                                             "DMI=ON\r\n"
                                             "Sensor=ON\r\n"
                                             "SMBus=OFF\r\n";

// The bytes of the resource named `file`; names match without regard to letter case.
std::string resourceBytes(const std::string &file)
{
    const QDir resources(LibraryResources);
    for (const QString &name : resources.entryList(QDir::Files)) {
        if (name.compare(QString::fromStdString(file), Qt::CaseInsensitive) != 0)
            continue;
        QFile resource(resources.filePath(name));
        if (!resource.open(QIODevice::ReadOnly))
            break;
        return resource.readAll().toStdString();
    }
    throw Fault(faults::LibraryNotFound);
}

void makeExecutable(const std::string &path)
{
    const QString file = QFile::decodeName(path.c_str());
    QFile::setPermissions(file, QFile::permissions(file) | QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup |
                                    QFile::ExeOther);
}

void refuse(LibraryConsole &console, InstallOutcome &outcome, const std::string &reason)
{
    outcome.refusal = reason;
    console.PrintLn(reason);
}

// Writes the library and makes it executable; false when it is there already.
bool writeLibrary(LibraryConsole &console, InstallOutcome &outcome, const std::string &file)
{
    if (console.libraryExists(file)) {
        refuse(console, outcome, "Library already exists");
        return false;
    }
    console.PrintLn("Installing library, please wait.");
    const std::string path = console.libraryPath(file);
    // Written whole beside its place and renamed into it, so no half library is ever run.
    files::replaceFileBytes(path, resourceBytes(file));
    console.PrintLn("Registering library");
    // Its outcome is not examined: an installed file that cannot be made
    // executable shows when it is run.
    makeExecutable(path);
    console.PrintLn("Library installed");
    return true;
}

} // namespace

InstallOutcome install(LibraryConsole &console, const std::string &file)
{
    InstallOutcome outcome;
    console.PrintLn("Scanning resources");
    try {
        outcome.installed = writeLibrary(console, outcome, file);
        if (file == ReportHelperFile) {
            files::replaceFileBytes(console.libraryPath("cpuz.ini"), ReportHelperSettings);
            console.showHardwareSummary();
        }
    } catch (const Fault &fault) {
        refuse(console, outcome, fault.description());
        outcome.installed = false;
    }
    return outcome;
}

} // namespace tarvik
