#pragma once

#include "foundation/protocol.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tarvik {
class GuiConsole;
}

namespace tarvik::gui {

class AdvancedPanel;
class InstallPanel;
class LinkLabel;
class Picture;
class PopupPanel;
class SavePanel;
class TestBox;

// The graphical front end: a small fixed window in front of the console that
// runs the two standard tests, shows their best times and the hardware, and
// opens the save, library and advanced-settings panels. It computes nothing
// itself: it reads the console's state, calls the console's operations, or
// types a command line into the console for its command loop to run.
//
// The console makes a new window each time it hands over to the front end; a
// window that hands back to the console hides itself and is never shown
// again.
class frmGUI : public QWidget {
    Q_OBJECT
public:
    frmGUI();
    ~frmGUI() override;

    // Attaches the window to the console and fills it: viewer mode when the
    // program was started with a score file, the hardware description, the
    // best times, and the install link while a library is missing. (This
    // window is always top-level, so it never needs QWidget's setParent.)
    void setParent(GuiConsole &parent);

    // Starts test `Index` through the console and hands over to it.
    void cmdGo_Click(std::int16_t Index);
    // The console key (grave accent) hands over to the console, outside
    // viewer mode.
    void Form_KeyDown(int KeyCode, int Shift);
    // Viewer mode: loads the score file into the console. A file the console
    // refuses ends the program after the "Error" box.
    bool LoadScore(const QString &path);
    bool AnyMissingLibrary() const;

    // The submission panel plugs in here: the "Submit Scores" link appears
    // and opens it. Until a panel is attached the link is not shown.
    void attachSubmissionPanel(PopupPanel *panel);

    bool scoreLoaded = false;
    // The record text per test 1 to 16, empty for no best time.
    std::array<QString, LastTest> recordTexts;

    QWidget *frahwbot;
    Picture *Image2;
    Picture *Image3;
    // In viewer mode: which file the window shows.
    QLabel *lblViewedFile;
    QGroupBox *fraCPUlist;
    QPlainTextEdit *txtCPU;
    TestBox *fraTest32M;
    TestBox *fraTest1024M;
    QLineEdit *txt32M;
    QLineEdit *txt1024M;
    Picture *imgSave32M;
    Picture *imgSave1024M;
    LinkLabel *lbl32M;
    LinkLabel *lbl1024M;
    Picture *imgInstallLib;
    LinkLabel *lblInstallLib;
    Picture *imgAdvanced;
    LinkLabel *libAdvanced;
    LinkLabel *lblSubmit;
    LinkLabel *lblResults;
    SavePanel *fraSave = nullptr;
    InstallPanel *fraInstall = nullptr;
    AdvancedPanel *fraAdvanced = nullptr;
    PopupPanel *fraSubmission = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMainPanel();
    static void describe(Picture *picture, const QString &name, const QString &description);
    // Every control of the main panel the keyboard reaches, in reading order.
    QList<QWidget *> mainPanelActions() const;
    void setTabOrderOfMainPanel();
    void coverWhileOpen(PopupPanel *panel);
    void coverMainPanel(bool covered);
    void showViewedFile(const QString &path);
    void createPanels();
    void RefreshRecords();
    void showMissingLibraries();
    void handOverToConsole();

    GuiConsole *parentForm = nullptr;
    bool m_handedOver = false;      // this window has handed control to the console
    bool m_closedByProgram = false; // the close was asked for by the program, not the user
    bool m_centred = false;
    QHash<QWidget *, Qt::FocusPolicy> m_focusPolicies;
};

} // namespace tarvik::gui
