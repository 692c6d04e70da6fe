#pragma once

#include "gui/popup_panel.h"

#include <cstdint>

class QCheckBox;
class QLineEdit;

namespace tarvik {
class GuiConsole;
}

namespace tarvik::gui {

class LinkLabel;

// "Save Score": which of the two standard tests to save, and where. The
// check boxes and paths keep their state while the window lives; a path
// field is enabled exactly when its box is checked.
class SavePanel : public PopupPanel {
    Q_OBJECT
public:
    SavePanel(GuiConsole &console, QWidget *parent);

    // Opens the panel from a test box's save icon: each box is available when
    // its test has a best time, and the box of `test` (6 or 11) is checked
    // when it is available. The other box keeps its check.
    void openFor(std::int16_t test);

    QCheckBox *chkSave32M;
    QLineEdit *txt32Mpath;
    QCheckBox *chkSave1024M;
    QLineEdit *txt1024Mpath;
    LinkLabel *lblSaveScore;
    LinkLabel *lblCloseSave;

private:
    void lblSaveScore_Click();
    void SaveTestScore(const QString &path, std::int16_t test);

    GuiConsole &m_console;
};

} // namespace tarvik::gui
