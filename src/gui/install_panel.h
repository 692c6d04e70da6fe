#pragma once

#include "gui/popup_panel.h"

#include <vector>

class QLabel;

namespace tarvik {
class GuiConsole;
}

namespace tarvik::gui {

class LibraryRow;
class LinkLabel;

// "Install Libraries": one row per optional library that is missing, each
// with its "Install" link. While an installation runs the panel is disabled,
// so its links cannot start another.
class InstallPanel : public PopupPanel {
    Q_OBJECT
public:
    InstallPanel(GuiConsole &console, QWidget *parent);

    // Opens the panel with the rows of the missing libraries.
    void openWithMissing();

    void RestoreLibVisible();
    void imgExpand_Click(int Index);
    void lblInstall_Click(int Index);
    void lblCPUzInfoShow_Click(int Index);

    QLabel *lblInfo;
    std::vector<LibraryRow *> rows; // row i is rows[i - 1]
    LinkLabel *lblCloseLib;

signals:
    // An installation has ended, successfully or not.
    void installationEnded();

private:
    LibraryRow &row(int Index) const { return *rows.at(static_cast<std::size_t>(Index - 1)); }
    void ShowInstallBusy();
    void ShowInstallIdle();

    GuiConsole &m_console;
};

} // namespace tarvik::gui
