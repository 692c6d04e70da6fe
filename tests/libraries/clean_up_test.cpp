// The clean-up in the window, where the Winsock question is a message box.
#include "console/frm_main.h"
#include "console/message_box.h"
#include "libraries/clean_up.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvik;

namespace {

// Answers every question with `answer` and keeps what was asked.
class ScriptedMessageBox : public MessageBox {
public:
    explicit ScriptedMessageBox(bool answer) : m_answer(answer) {}
    bool askYesNo(const QString &title, const QString &question) override
    {
        asked << title + ": " + question;
        return m_answer;
    }
    void inform(const QString &title, const QString &text, BoxIcon) override { asked << title + ": " + text; }
    QStringList asked;

private:
    bool m_answer;
};

} // namespace

TEST(CleanUpInTheWindow, WinsockControlGoesOnlyWhenTheBoxIsAnsweredYes)
{
    for (const bool answer : {false, true}) {
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        qputenv("TARVIK_SYSTEM_DIR", (home.path() + "/system").toUtf8());
        frmMain console{LaunchOptions{}};
        auto box = std::make_unique<ScriptedMessageBox>(answer);
        ScriptedMessageBox &questions = *box;
        console.messageBox = std::move(box);
        const QString winsock = home.path() + "/system/mswinsck.ocx";
        QDir().mkpath(home.path() + "/system");
        ASSERT_TRUE(QFile(winsock).open(QIODevice::WriteOnly));

        CleanUp(console);

        EXPECT_EQ(questions.asked, QStringList{"Tarvik Benchmark v1.55: WARNING: Microsoft Winsock Control may be in "
                                               "use by other applications, are you sure you wish to remove this?"});
        EXPECT_EQ(QFileInfo::exists(winsock), !answer);
        EXPECT_EQ(console.paneText(), QString(answer ? "Deleting mswinsck.ocx\n" : "") +
                                          "Tarvik libraries and settings removed.\n");
    }
}
