// The clean-up over a console of the test's making, where the Winsock
// question is answered by script.
#include "libraries/clean_up.h"
#include "libraries/library_console.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

using namespace tarvik;

namespace {

// A system folder of the test's own; every question is answered with `answer`.
class ScriptedConsole : public LibraryConsole {
public:
    ScriptedConsole(std::string folder, bool answer) : m_folder(std::move(folder)), m_answer(answer) {}

    void PrintLn(const std::string &message) override { pane += message + "\n"; }
    bool askYesNo(const std::string &title, const std::string &question) override
    {
        asked.push_back(title + ": " + question);
        return m_answer;
    }
    bool libraryExists(const std::string &file) const override
    {
        return QFileInfo::exists(QString::fromStdString(libraryPath(file)));
    }
    std::string libraryPath(const std::string &file) const override { return m_folder + "/" + file; }
    std::string readSetting(const std::string &) const override { return {}; }
    void removeSetting(const std::string &) override {}
    void showHardwareSummary() override {}

    std::string pane;
    std::vector<std::string> asked;

private:
    std::string m_folder;
    bool m_answer;
};

} // namespace

TEST(CleanUpInTheWindow, WinsockControlGoesOnlyWhenTheBoxIsAnsweredYes)
{
    for (const bool answer : {false, true}) {
        QTemporaryDir home;
        const QString folder = home.path() + "/system";
        ScriptedConsole console(folder.toStdString(), answer);
        const QString winsock = folder + "/mswinsck.ocx";
        QDir().mkpath(folder);
        ASSERT_TRUE(QFile(winsock).open(QIODevice::WriteOnly));

        CleanUp(console);

        EXPECT_EQ(console.asked,
                  std::vector<std::string>{"Tarvik Benchmark v1.55: WARNING: Microsoft Winsock Control may be "
                                           "in use by other applications, are you sure you wish to remove this?"});
        EXPECT_EQ(QFileInfo::exists(winsock), !answer);
        EXPECT_EQ(console.pane,
                  std::string(answer ? "Deleting mswinsck.ocx\n" : "") + "Tarvik libraries and settings removed.\n");
    }
}
