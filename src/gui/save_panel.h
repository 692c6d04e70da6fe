#pragma once

#include "gui/popup_panel.h"

#include <cstdint>

class QCheckBox;
class QFileDialog;
class QLineEdit;
class QPushButton;

namespace tarvik {
class GuiConsole;
}

namespace tarvik::gui {

class LinkLabel;

// "Save Score": which of the two standard tests to save, and where. The
// check boxes and paths keep their state while the window lives; a path
// field and its "Browse…" button are enabled exactly when its box is
// checked. A save that fails keeps the panel open with the paths as typed.
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
    QPushButton *cmdBrowse32M;
    QCheckBox *chkSave1024M;
    QLineEdit *txt1024Mpath;
    QPushButton *cmdBrowse1024M;
    LinkLabel *lblSaveScore;
    LinkLabel *lblCloseSave;

private:
    // The file dialog of "Browse…", which picks the file of `path`'s field.
    // Window-modal: the event loop goes on while it is open.
    void browseFor(QLineEdit *path);
    void lblSaveScore_Click();
    // The console's message for the file, "Score Saved." when it was written.
    std::string SaveTestScore(const QString &path, std::int16_t test);

    GuiConsole &m_console;
};

} // namespace tarvik::gui
