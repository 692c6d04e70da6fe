#pragma once

#include "gui/popup_panel.h"

class QLineEdit;

namespace tarvik {
class GuiConsole;
}

namespace tarvik::gui {

class LinkLabel;

// "Advanced Settings": the worker-thread count, set through the console's
// "ft" command.
class AdvancedPanel : public PopupPanel {
    Q_OBJECT
public:
    AdvancedPanel(GuiConsole &console, QWidget *parent);

    // Shows the console's current thread count and opens the panel.
    void openWithThreads();

    QLineEdit *txtThreadF;
    LinkLabel *lblSaveAdv;
    LinkLabel *lblCancelAdv;

private:
    void lblSaveAdv_Click();
    void refuse(const QString &message);

    GuiConsole &m_console;
};

} // namespace tarvik::gui
