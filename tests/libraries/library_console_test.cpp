// Installing and removing libraries as a user does: the real program in the
// terminal, its system folder and settings private to each test.
#include "console_session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace tarvik::testing;

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

const QStringList InstallLines = {"Scanning resources", "Installing library, please wait.", "Registering library",
                                  "Library installed"};

// The item `name` of the report's processor section, as the helper wrote it.
QString reportItem(const QString &report, const QString &name)
{
    for (const QString &line : report.split("\r\n"))
        if (line.startsWith('\t' + name + '\t'))
            return line.section('\t', -1);
    return {};
}

} // namespace

TEST(LibraryConsole, InstallsTheReportHelperItCarriesAndSummarizesItsReport)
{
    ConsoleSession session;
    session.start("install cpuz141.exe\nrefcpuz\ninstall cpuz141.exe\ninstall mswinsck.ocx\n");
    const auto all = replies(session.finish());
    const QString folder = session.systemFolder();

    const QStringList installed = replyTo(all, "install cpuz141.exe").lines;
    EXPECT_EQ(installed.mid(0, 5), InstallLines + QStringList{"Gathering CPUz information"});
    EXPECT_TRUE(installed.contains("CPUz output complete"));
    EXPECT_EQ(contentOf(folder + "/cpuz141.exe"), contentOf(TARVIK_REPORT_HELPER));
    EXPECT_TRUE(QFileInfo(folder + "/cpuz141.exe").isExecutable());
    EXPECT_EQ(contentOf(folder + "/cpuz.ini"), "[CPU-Z]\r\nTextFontName=\r\nTextFontSize=14\r\n"
                                               "TextFontColor=000080\r\nLabelFontName=\r\nLabelFontSize=14\r\n"
                                               "VCore=0\r\nDMI=ON\r\nSensor=ON\r\nSMBus=OFF\r\n");

    // The summary shows what the helper found on this machine.
    const QStringList summary = replyTo(all, "refcpuz").lines;
    EXPECT_EQ(summary.value(1), "Removing previous CPUid information");
    const QString report = QString::fromUtf8(contentOf(folder + "/out.txt"));
    const qsizetype found = summary.indexOf("Found CPU: ");
    ASSERT_GE(found, 0);
    EXPECT_EQ(summary.value(found + 1), reportItem(report, "Specification"));
    EXPECT_TRUE(summary.value(found + 3).endsWith(" MHz Clock"));
    EXPECT_EQ(summary.last(), "");

    // Already there: still rewrites the settings and refreshes the summary.
    const QStringList again = replyTo(all, "install cpuz141.exe", 1).lines;
    EXPECT_EQ(again.mid(0, 3),
              (QStringList{"Scanning resources", "Library already exists", "Gathering CPUz information"}));
    EXPECT_TRUE(again.contains("Found CPU: "));

    EXPECT_EQ(replyTo(all, "install mswinsck.ocx").lines,
              (QStringList{"Scanning resources", "Installing library, please wait.", "Library not found."}));
}

TEST(LibraryConsole, ResourceNameMatchesInAnyCaseButOnlyTheExactNameSetsUpTheHelper)
{
    ConsoleSession session;
    session.start("install CPUZ141.EXE\ninstall\n");
    const auto all = replies(session.finish());
    EXPECT_EQ(replyTo(all, "install CPUZ141.EXE").lines, InstallLines);
    EXPECT_TRUE(QFileInfo::exists(session.systemFolder() + "/CPUZ141.EXE"));
    EXPECT_FALSE(QFileInfo::exists(session.systemFolder() + "/cpuz.ini"));
    // Alone, the command asks for a library named "install".
    EXPECT_EQ(replyTo(all, "install").lines,
              (QStringList{"Scanning resources", "Installing library, please wait.", "Library not found."}));
}

TEST(LibraryConsole, CleanupRemovesSettingsAndLibrariesAndAsksBeforeTheWinsockControl)
{
    ConsoleSession session;
    const QString folder = session.systemFolder();
    writeFile(session.environment().value("XDG_CONFIG_HOME") + "/Morlo/Tarvik.conf",
              "[Tarvik]\nStor_name=Someone\nError=True\n");
    const char *libraries[] = {"cpuz141.exe",        "cpuz140.exe",     "cpuz141-readme.txt",
                               "cpuz140-readme.txt", "cpuz-readme.txt", "cpuz.exe",
                               "qelvan.dll",         "mswinsck.ocx",    "cpuz.ini"};
    for (const char *file : libraries)
        writeFile(folder + '/' + file, "x");

    session.start("cleanup\nno\ncleanup\nYes\ncleanup\n");
    const auto all = replies(session.finish());

    const QString question = "WARNING: Microsoft Winsock Control may be in use by other applications, are you "
                             "sure you wish to remove this?";
    EXPECT_EQ(
        replyTo(all, "cleanup").lines,
        (QStringList{"Removing Stor_name setting", "Removing Error setting", "Deleting cpuz141.exe",
                     "Deleting cpuz140.exe", "Deleting cpuz141-readme.txt", "Deleting cpuz140-readme.txt",
                     "Deleting cpuz-readme.txt", "Deleting cpuz.exe", "Deleting qelvan.dll", question, "Yes/No"}));
    EXPECT_EQ(replyTo(all, "no").lines, QStringList{"Tarvik libraries and settings removed."});
    EXPECT_EQ(replyTo(all, "cleanup", 1).lines, (QStringList{question, "Yes/No"}));
    EXPECT_EQ(replyTo(all, "Yes").lines,
              (QStringList{"Deleting mswinsck.ocx", "Tarvik libraries and settings removed."}));
    EXPECT_EQ(replyTo(all, "cleanup", 2).lines, QStringList{"Tarvik libraries and settings removed."});

    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"cpuz.ini"});
    const QByteArray settings = contentOf(session.environment().value("XDG_CONFIG_HOME") + "/Morlo/Tarvik.conf");
    EXPECT_FALSE(settings.contains("Stor_name")) << settings.toStdString();
    EXPECT_FALSE(settings.contains("Error")) << settings.toStdString();
}

TEST(LibraryConsole, WriteProtectedLibraryStopsTheCleanupWithItsReason)
{
    ConsoleSession session;
    const QString folder = session.systemFolder();
    for (const char *file : {"cpuz141.exe", "cpuz140.exe", "qelvan.dll"})
        writeFile(folder + '/' + file, "x");
    QFile::setPermissions(folder + "/cpuz140.exe", QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);

    session.start("cleanup\n");
    const auto all = replies(session.finish());

    EXPECT_EQ(replyTo(all, "cleanup").lines, (QStringList{"Deleting cpuz141.exe", "Permission denied"}));
    EXPECT_FALSE(QFileInfo::exists(folder + "/cpuz141.exe"));
    EXPECT_TRUE(QFileInfo::exists(folder + "/cpuz140.exe"));
    EXPECT_TRUE(QFileInfo::exists(folder + "/qelvan.dll"));
}
