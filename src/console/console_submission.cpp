#include "console/console_submission.h"

#include "console/frm_main.h"
#include "console/settings.h"
#include "console/message_box.h"
#include "submit/result_client.h"

namespace tarvik {

namespace {

// The console as the submission sees it.
class ConsoleView : public submit::SubmitConsole {
public:
    explicit ConsoleView(frmMain &console) : m_console(console) {}

    void PrintLn(const std::string &line) override { m_console.PrintLn(line); }
    char decimalSeparator() const override { return m_console.decimalSeparator(); }
    const Records &records() const override { return m_console.records; }
    SubmissionIds &submissionIds() override { return m_console.submissionIds; }
    const HardwareFields &hardware() const override { return m_console.hw; }
    std::int16_t threads() const override { return m_console.Threads; }
    void saveUserName(const std::string &name) override { m_console.saveUserName(QString::fromStdString(name)); }
    bool subHttp() const override { return m_console.subHttp; }
    void setSubHttp(bool value) override { m_console.subHttp = value; }
    bool directConnectionFailed() const override
    {
        return settings::read(QStringLiteral("Error"), QStringLiteral("False")) == QLatin1String("True");
    }
    void rememberDirectConnectionFailed() override { settings::write(QStringLiteral("Error"), QStringLiteral("True")); }
    bool revertToGui() const override { return m_console.revert_to_gui; }
    void showMessage(const std::string &text) override
    {
        m_console.messageBox->inform(applicationTitle(), QString::fromStdString(text), BoxIcon::None);
    }
    void submitGuiLine() override { m_console.enterLine(QStringLiteral("gui")); }
    void runGui() override { m_console.runCommand("gui"); }

private:
    frmMain &m_console;
};

} // namespace

ConsoleSubmission::ConsoleSubmission(frmMain &console)
    : m_view(std::make_unique<ConsoleView>(console)),
      m_client(std::make_unique<submit::ResultClient>(*m_view, submit::startingServer(), [this](const QUrl &url) {
          const bool opened = submit::desktopOpener()(url);
          if (!opened)
              m_unopenedAddress = url.toString(QUrl::FullyEncoded);
          return opened;
      }))
{
}

ConsoleSubmission::~ConsoleSubmission() = default;

} // namespace tarvik
