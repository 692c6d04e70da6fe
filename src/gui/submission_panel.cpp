#include "gui/submission_panel.h"

#include "foundation/fault.h"
#include "foundation/numbers.h"
#include "foundation/protocol.h"
#include "gui/frm_gui.h"
#include "gui/gui_console.h"
#include "gui/link_label.h"
#include "gui/submission_feedback.h"
#include "gui/text_fit.h"
#include "gui/twips.h"
#include "submit/browser_submission.h"
#include "submit/hwbot_submission.h"
#include "submit/result_client.h"
#include "submit/submitted_records.h"
#include "console/console_submission.h"

#include <QLabel>
#include <QLineEdit>
#include <QUrl>

namespace tarvik::gui {

namespace {

const QString NotTested = QStringLiteral("Not Tested");

// How the user knows a test: the box captions' short names.
std::string testName(std::int16_t test)
{
    if (test == SpeedTest)
        return "32M";
    if (test == StabilityTest)
        return "1024M";
    return "Test " + std::to_string(test);
}

QLabel *text(const QString &content, QWidget *parent, int top, int height)
{
    auto *label = new QLabel(content, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeTwips(label, 120, top, 6495, height);
    fitText(label);
    return label;
}

// A bold caption and the one-line field it names.
QLineEdit *field(const QString &caption, QWidget *parent, int top)
{
    auto *label = new QLabel(caption, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    placeTwips(label, 120, top, 1695, 255);
    fitText(label);
    auto *edit = new QLineEdit(parent);
    placeTwips(edit, 1920, top, 4695, 285);
    label->setBuddy(edit);
    edit->setAccessibleName(caption.chopped(1));
    return edit;
}

} // namespace

SubmissionPanel::SubmissionPanel(GuiConsole &console, frmGUI &window)
    : PopupPanel(QStringLiteral("Submit Scores"), &window),
      lblSubmitFinal(new LinkLabel(QStringLiteral("Submit"), this)),
      lblCancel(new LinkLabel(QStringLiteral("Cancel"), this)),
      m_console(console),
      m_window(window)
{
    text(QStringLiteral("Hitting submit will submit your results both to our own and to hwbot's servers. Please "
                        "fill in the following information to clarify your score."),
         this, 360, 495);
    txtUserName1 = field(QStringLiteral("User Name:"), this, 840);
    text(QStringLiteral("Your user name is the title of your score on our server. Your hwbot user name and "
                        "password will be asked for later, on hwbot's own pages."),
         this, 1200, 495);
    txtDescription1 = field(QStringLiteral("Description:"), this, 1680);
    text(QStringLiteral("An optional field where you can specify some information about your score."), this, 2040, 255);
    placeTwips(lblSubmitFinal, 2160, 2280, 1215, 255);
    placeTwips(lblCancel, 3480, 2280, 1215, 255);
    connect(lblSubmitFinal, &LinkLabel::clicked, this, &SubmissionPanel::lblSubmitFinal_Click);
    connect(lblCancel, &LinkLabel::clicked, this, &SubmissionPanel::lblCancel_Click);
    connect(m_window.lblSubmit, &LinkLabel::clicked, this, &SubmissionPanel::lblSubmit_Click);

    // A name already stored is the name scores go under.
    txtUserName1->setText(m_console.submitterName());
    txtUserName1->setReadOnly(!m_console.submitterName().isEmpty());
}

void SubmissionPanel::lblSubmit_Click()
{
    setEnabled(true);
    open();
    txtUserName1->setFocus();
}

void SubmissionPanel::lblCancel_Click()
{
    if (isEnabled())
        hide();
}

void SubmissionPanel::lblSubmitFinal_Click()
{
    // The submission waits for the server with the event loop running, so a
    // second click can arrive while it is under way; it finds the panel
    // disabled.
    if (!isEnabled())
        return;
    setEnabled(false);
    if (m_window.txt32M->text() == NotTested && m_window.txt1024M->text() == NotTested) {
        noTestsToSubmit();
        return;
    }
    const std::string name = txtUserName1->text().toStdString();
    const std::string description = txtDescription1->text().toStdString();
    if (name.empty()) {
        askForUserName();
        return;
    }
    handOverToConsole();
    ConsoleSubmission &submission = m_console.submission();
    const std::vector<BestTime> times = submit::submittedRecords(submission.console().records()).times;
    submission.forgetUnopenedAddress();
    // The client returns to the front end through the console's command
    // loop, which opens a new window once this handler has returned.
    SubmissionOutcome outcome;
    outcome.reply = submission.client().SendResults(name, description, true);
    outcome.unopenedSubmission = submission.unopenedAddress().toStdString();
    // HWBOT knows the two standard tests only, and takes times in hundredths.
    for (const BestTime &best : times) {
        const double time = numbers::roundHalfEven(best.seconds, 2);
        if ((best.test == SpeedTest || best.test == StabilityTest) && time != 0)
            submitTestToHwbot(best.test, time, description, outcome);
        if (const std::int32_t id = submission.client().getSubmissionId(best.test); id != 0)
            outcome.resultPages.push_back(testName(best.test) + ": " +
                                          submit::scorePageUrl(submit::webAddress(submission.client().server()), id));
    }
    // Told once the pages are written, so that the box can say where they are.
    const std::string feedback = submissionFeedback(outcome);
    if (!feedback.empty())
        m_console.messages().informWithAddresses(QStringLiteral("Submission"), QString::fromStdString(feedback),
                                                 BoxIcon::Information);
    m_window.deleteLater();
}

void SubmissionPanel::noTestsToSubmit()
{
    m_console.messages().inform(QStringLiteral("Submit"), QStringLiteral("No tests completed to submit."),
                                BoxIcon::Information);
    lblSubmit_Click();
    lblCancel_Click();
}

void SubmissionPanel::askForUserName()
{
    lblSubmit_Click();
    m_console.messages().inform(applicationTitle(), QStringLiteral("Please fill out the Username field."),
                                BoxIcon::None);
}

void SubmissionPanel::handOverToConsole()
{
    m_window.hide();
    m_console.showConsole();
    m_console.returnToFrontEnd();
    hide();
}

// A page that cannot be made or written is skipped; the other test's page
// still follows.
void SubmissionPanel::submitTestToHwbot(std::int16_t test, double time, const std::string &description,
                                        SubmissionOutcome &outcome)
{
    ConsoleSubmission &submission = m_console.submission();
    const submit::HwbotScore score{test, time, description, submission.client().getSubmissionId(test)};
    const submit::HwbotContext context{m_console.machine(), submit::programVersion(),
                                       submit::webAddress(submission.client().server()), m_console.decimalSeparator()};
    const auto openPage = [&outcome](const QUrl &page) {
        const bool opened = submit::desktopOpener()(page);
        outcome.pagesUnopened = outcome.pagesUnopened || !opened;
        return opened;
    };
    try {
        submit::submitToHwbot(score, context, m_console.hwbotAddress().toStdString(), submission.console(),
                              openPage);
        outcome.pagesFolder = QUrl::fromLocalFile(submit::pagesFolder()).toString(QUrl::FullyEncoded).toStdString();
    } catch (const Fault &) {
    }
}

} // namespace tarvik::gui
