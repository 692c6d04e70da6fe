#pragma once

#include "gui/popup_panel.h"

#include <cstdint>
#include <string>

class QLineEdit;

namespace tarvik {
class GuiConsole;
}

namespace tarvik::gui {

class frmGUI;
class LinkLabel;
struct SubmissionOutcome;

// "Submit Scores": one click sends the records made without quick mode to
// the result server and writes a page per standard test that posts its time
// to HWBOT. The panel's
// enabled state tells whether a submission is under way: it is disabled from
// the moment Submit is accepted until the panel is opened again.
class SubmissionPanel : public PopupPanel {
    Q_OBJECT
public:
    SubmissionPanel(GuiConsole &console, frmGUI &window);

    // Opens the panel enabled, with the keyboard in the user-name field.
    void lblSubmit_Click();
    // Closes it, unless a submission is under way.
    void lblCancel_Click();
    // The submission. A click while one is under way does nothing.
    void lblSubmitFinal_Click();

    QLineEdit *txtUserName1;
    QLineEdit *txtDescription1;
    LinkLabel *lblSubmitFinal;
    LinkLabel *lblCancel;

private:
    void noTestsToSubmit();
    void askForUserName();
    void handOverToConsole();
    // Writes and opens the test's HWBOT page; notes in `outcome` where it
    // went and whether a browser took it.
    void submitTestToHwbot(std::int16_t test, double time, const std::string &description,
                           SubmissionOutcome &outcome);

    GuiConsole &m_console;
    frmGUI &m_window;
};

} // namespace tarvik::gui
