// The HWBOT pages as a browser sees them: each page is loaded in headless
// Chromium, posts itself to a loopback receiver, and the posted fields must
// be the table's, names and values, in order.
#include "fake_submit_console.h"
#include "form_receiver.h"
#include "scoped_home.h"
#include "submit/hwbot_submission.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

using namespace tarvik;
using namespace tarvik::submit;
using tarvik::testing::FakeSubmitConsole;
using tarvik::testing::FormReceiver;
using tarvik::testing::ScopedHome;

namespace {

const QString Chromium = QStringLiteral("/usr/bin/chromium");

// Loads `page` in headless Chromium until `receiver` has the post.
void loadInBrowser(const QUrl &page, FormReceiver &receiver)
{
    QTemporaryDir profile;
    QProcess browser;
    browser.start(Chromium, {"--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                             "--user-data-dir=" + profile.path(), page.toString(QUrl::FullyEncoded)});
    ASSERT_TRUE(browser.waitForStarted()) << "chromium is needed for this test";
    QDeadlineTimer deadline(90000);
    while (!receiver.posted() && !deadline.hasExpired() && browser.state() == QProcess::Running) {
        QEventLoop wait;
        QTimer::singleShot(50, &wait, &QEventLoop::quit);
        wait.exec();
    }
    browser.kill();
    browser.waitForFinished();
    ASSERT_TRUE(receiver.posted()) << browser.readAllStandardError().toStdString();
}

// The fields of a form post, in order, decoded to their bytes.
std::vector<FormField> postedFields(const QByteArray &body)
{
    std::vector<FormField> fields;
    for (QByteArray pair : body.split('&')) {
        pair.replace('+', ' ');
        const qsizetype equals = pair.indexOf('=');
        fields.push_back({QByteArray::fromPercentEncoding(pair.left(equals)).toStdString(),
                          QByteArray::fromPercentEncoding(pair.mid(equals + 1)).toStdString()});
    }
    return fields;
}

// The table's fields as a browser posts them: a name ends before its blank.
std::vector<FormField> asPosted(std::vector<FormField> fields)
{
    for (FormField &field : fields)
        field.name.erase(std::find(field.name.begin(), field.name.end(), ' '), field.name.end());
    return fields;
}

struct Page {
    const char *name;
    HwbotScore score;
    char separator;
    bool withProcessorName;
};

} // namespace

TEST(HwbotBrowser, EachPagePostsExactlyTheTablesFields)
{
    const Page pages[] = {
        {"32M, id, markup", {6, 15.23, "it's <b>fast</b> & \"quiet\" \xC3\x9Cn\xC3\xAF", 901}, '.', true},
        {"1024M, no id, comma, no name", {11, 600.25, "O'Brien's <script>alert(1)</script>", 0}, ',', false},
    };
    for (const Page &page : pages) {
        SCOPED_TRACE(page.name);
        ScopedHome home;
        FakeSubmitConsole console;
        console.hw.hwbotcpuclk = "2400.7";
        console.hw.mem_type = "DDR2";
        console.hw.mem_size = "2048";
        console.hw.mem_freq = "333.5";
        console.hw.mem_tras = "15";
        console.hw.board_model = "P5B";
        console.hw.board_vendor = "ASUSTeK";
        if (!page.withProcessorName)
            console.hw.hwbot_send_cpu.clear();
        const HwbotContext context{console.hw, programVersion(), "http://127.0.0.1:10280", page.separator};
        FormReceiver receiver;
        const std::string action = receiver.address().toStdString() + "/submit.client.result.do?";
        std::vector<QUrl> opened;
        submitToHwbot(page.score, context, action, console, [&opened](const QUrl &url) {
            opened.push_back(url);
            return true;
        });

        const QString path = home.path() + "/Downloads/Tarvik/submission" + QString::number(page.score.test) + ".htm";
        ASSERT_EQ(opened.size(), 1u);
        EXPECT_EQ(opened[0], QUrl::fromLocalFile(path));
        EXPECT_EQ(console.lines, std::vector<std::string>{"HWBOT submission page: " + path.toStdString()});
        loadInBrowser(opened[0], receiver);
        EXPECT_EQ(receiver.requestLine(), "POST /submit.client.result.do? HTTP/1.1");
        EXPECT_EQ(postedFields(receiver.body()), asPosted(hwbotFields(page.score, context)));
    }
}
