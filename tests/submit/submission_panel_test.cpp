// The submission panel driven as a user drives it: the real console and
// front-end window, a loopback result server, pages written into a private
// download folder and the browser replaced by a recorder.
#include "console/frm_main.h"
#include "engine/console_commands.h"
#include "foundation/product.h"
#include "gui/frm_gui.h"
#include "gui/link_label.h"
#include "gui/submission_panel.h"
#include "scoped_home.h"
#include "scripted_server.h"
#include "submit/result_client.h"
#include "submit/submit_message.h"
#include "console/console_submission.h"
#include "url_recorder.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

using namespace tarvik;
using namespace tarvik::testing;

namespace {

struct Box {
    QString title;
    QString text;
    BoxIcon icon;
    bool operator==(const Box &) const = default;
};

class RecordedBoxes : public MessageBox {
public:
    explicit RecordedBoxes(std::vector<Box> &boxes) : m_boxes(boxes) {}
    bool askYesNo(const QString &, const QString &) override { return false; }
    void inform(const QString &title, const QString &text, BoxIcon icon) override
    {
        m_boxes.push_back({title, text, icon});
    }

private:
    std::vector<Box> &m_boxes;
};

std::string fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>";
}

class SubmissionPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("TARVIK_SYSTEM_DIR", (home.path() + "/system").toUtf8());
        addConsoleCommands(console);
        console.messageBox = std::make_unique<RecordedBoxes>(boxes);
        console.Threads = 2;
        console.hw.CPU_info = "Intel Core 2 Duo E6600\x01"
                              "2400\x01";
        console.hw.hwbotcpu = "Intel(R) Core(TM)2 CPU 6600 @ 2.40GHz";
        console.hw.hwbotcpuclk = "2400";
        console.hw.hwbot_send_cpu = "Intel Core 2 Duo E6600";
        console.hwbotServer = "http://127.0.0.1:9/submit.client.result.do?";
    }

    void TearDown() override
    {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (qobject_cast<gui::frmGUI *>(widget))
                delete widget;
    }

    void useServer(const ScriptedServer &server)
    {
        console.submission().client().setServer({"127.0.0.1", server.port(), 10280});
    }

    // The console hands over to a new front-end window, as its "gui" does.
    gui::frmGUI *openFrontEnd()
    {
        console.runCommand("gui");
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *window = qobject_cast<gui::frmGUI *>(widget); window && window->isVisible())
                return window;
        return nullptr;
    }

    gui::SubmissionPanel *openPanel(gui::frmGUI *window)
    {
        QTest::mouseClick(window->lblSubmit, Qt::LeftButton);
        return qobject_cast<gui::SubmissionPanel *>(window->fraSubmission);
    }

    QString page(int test) const
    {
        return home.path() + "/Downloads/Tarvik/submission" + QString::number(test) + ".htm";
    }

    ScopedHome home;
    UrlRecorder browser;
    std::vector<Box> boxes;
    frmMain console{LaunchOptions{}};
};

} // namespace

TEST_F(SubmissionPanelTest, WithoutTestsNothingIsSent)
{
    ScriptedServer server({"x"});
    useServer(server);
    gui::frmGUI *window = openFrontEnd();
    ASSERT_NE(window, nullptr);
    gui::SubmissionPanel *panel = openPanel(window);
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    QTest::keyClicks(panel->txtUserName1, "Ann");
    QTest::mouseClick(panel->lblSubmitFinal, Qt::LeftButton);

    EXPECT_EQ(boxes, (std::vector<Box>{{"Submit", "No tests completed to submit.", BoxIcon::Information}}));
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(panel->isEnabled());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(server.connections(), 0);
}

TEST_F(SubmissionPanelTest, AnEmptyNameIsAskedFor)
{
    ScriptedServer server({"x"});
    useServer(server);
    console.records.set(6, 15.234);
    gui::frmGUI *window = openFrontEnd();
    ASSERT_NE(window, nullptr);
    gui::SubmissionPanel *panel = openPanel(window);
    EXPECT_FALSE(panel->txtUserName1->isReadOnly());
    QTest::mouseClick(panel->lblSubmitFinal, Qt::LeftButton);

    EXPECT_EQ(boxes, (std::vector<Box>{
                         {QString::fromUtf8(ProductTitle), "Please fill out the Username field.", BoxIcon::None}}));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->isEnabled());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(server.connections(), 0);
    EXPECT_TRUE(browser.urls.empty());
}

TEST_F(SubmissionPanelTest, AStoredNameIsTheNameScoresGoUnder)
{
    console.stor_name = "Bob";
    gui::frmGUI *window = openFrontEnd();
    ASSERT_NE(window, nullptr);
    gui::SubmissionPanel *panel = openPanel(window);
    EXPECT_EQ(panel->txtUserName1->text(), "Bob");
    EXPECT_TRUE(panel->txtUserName1->isReadOnly());
}

TEST_F(SubmissionPanelTest, ASubmissionGoesToTheServerAndToHwbotAndReturnsToANewWindow)
{
    const QByteArray reply = "6 - result id = 77\r\n11 - result id = 78\r\n";
    ScriptedServer server({reply});
    useServer(server);
    console.records.set(6, 15.234);
    console.records.set(11, 600.25);
    QPointer<gui::frmGUI> window = openFrontEnd();
    ASSERT_NE(window, nullptr);
    gui::SubmissionPanel *panel = openPanel(window);
    QTest::keyClicks(panel->txtUserName1, "Ann");
    QTest::keyClicks(panel->txtDescription1, "it's <b>");

    // The console's command loop waits for a line while the user clicks.
    QTimer::singleShot(0, panel, [&] {
        QTest::mouseClick(panel->lblSubmitFinal, Qt::LeftButton);
        EXPECT_TRUE(console.isVisible());
        EXPECT_FALSE(window->isVisible());
    });
    EXPECT_EQ(console.getInput(), "gui"); // the way back to the front end

    EXPECT_TRUE(server.received().startsWith("SUBMIT\x01"
                                             "Ann\x01"
                                             "it's <b>\x01"));
    EXPECT_EQ(console.stor_name, "Ann");
    // The reply, where each result can be seen and where the HWBOT pages are.
    EXPECT_EQ(boxes, (std::vector<Box>{{"Submission",
                                        "6 - result id = 77\r\n11 - result id = 78\n\n"
                                        "Your results on the result server:\n"
                                        "32M: http://127.0.0.1:10280/score.cgi?id=77\n"
                                        "1024M: http://127.0.0.1:10280/score.cgi?id=78\n\n"
                                        "The HWBOT submission pages are in this folder:\n" +
                                            QUrl::fromLocalFile(home.path() + "/Downloads/Tarvik").toString(),
                                        BoxIcon::Information}}));
    EXPECT_EQ(browser.urls, (std::vector<QUrl>{QUrl::fromLocalFile(page(6)), QUrl::fromLocalFile(page(11))}));
    const std::string page6 = fileText(page(6));
    EXPECT_NE(page6.find("<input type=hidden name=score value='15.23'>"), std::string::npos) << page6;
    EXPECT_NE(page6.find("name=description value='it&#39;s &lt;b&gt;'"), std::string::npos) << page6;
    EXPECT_NE(page6.find("name=verificationUrl value='http://127.0.0.1:10280/score.cgi?id=77'"), std::string::npos);
    EXPECT_NE(fileText(page(11)).find("score.cgi?id=78'"), std::string::npos);
    EXPECT_NE(console.paneText().indexOf("HWBOT submission page: " + page(11)), -1);

    console.runCommand("gui");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull()); // the old window is gone
    EXPECT_FALSE(console.isVisible());
    gui::frmGUI *next = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *candidate = qobject_cast<gui::frmGUI *>(widget); candidate && candidate->isVisible())
            next = candidate;
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->txt32M->text(), "15.234 sec");
}

TEST_F(SubmissionPanelTest, AClickWhileASubmissionRunsIsIgnored)
{
    // The reply's connection stays open a while, so the second click comes
    // while the client still waits for the server.
    ScriptedServer server({"6 - result id = 5\r\n"}, std::chrono::milliseconds(1500));
    useServer(server);
    console.records.set(6, 15.234);
    gui::frmGUI *window = openFrontEnd();
    ASSERT_NE(window, nullptr);
    gui::SubmissionPanel *panel = openPanel(window);
    QTest::keyClicks(panel->txtUserName1, "Ann");
    QTimer::singleShot(300, panel, [panel] { panel->lblSubmitFinal_Click(); });
    QTimer::singleShot(0, panel, [panel] { QTest::mouseClick(panel->lblSubmitFinal, Qt::LeftButton); });
    EXPECT_EQ(console.getInput(), "gui");

    EXPECT_EQ(server.connections(), 1);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(browser.urls.size(), 1u);
}

TEST_F(SubmissionPanelTest, AQuickModeRecordGoesNeitherToTheServerNorToHwbot)
{
    ScriptedServer server({"11 - result id = 78\r\n"});
    useServer(server);
    console.records.set(6, 0.007, true);
    console.records.set(11, 600.25);
    gui::frmGUI *window = openFrontEnd();
    ASSERT_NE(window, nullptr);
    gui::SubmissionPanel *panel = openPanel(window);
    QTest::keyClicks(panel->txtUserName1, "Ann");
    QTimer::singleShot(0, panel, [panel] { QTest::mouseClick(panel->lblSubmitFinal, Qt::LeftButton); });
    EXPECT_EQ(console.getInput(), "gui");

    Records sent;
    sent.set(11, 600.25);
    EXPECT_EQ(server.received().toStdString(), submit::BuildSubmit("Ann", "", console.hw, 2, sent, '.'));
    EXPECT_EQ(browser.urls, std::vector<QUrl>{QUrl::fromLocalFile(page(11))});
    EXPECT_EQ(fileText(page(6)), "<missing>");
    EXPECT_EQ(console.paneText().count("Test 6 was run in quick mode and is not submitted.\n"), 1);
}
