#include "gui/install_panel.h"

#include "console/settings.h"
#include "foundation/fault.h"
#include "foundation/file_bytes.h"
#include "gui/gui_console.h"
#include "gui/library_row.h"
#include "gui/link_label.h"
#include "gui/text_fit.h"
#include "gui/twips.h"
#include "gui/web_links.h"
#include "libraries/library_installer.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

namespace tarvik::gui {

namespace {

const QString Caption = QStringLiteral("Install Libraries");
constexpr int ListTop = 840;
constexpr int RowSpacing = 360;

std::string resourceText(const QString &resource)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        throw Fault(faults::FileNotFound);
    return file.readAll().toStdString();
}

} // namespace

InstallPanel::InstallPanel(GuiConsole &console, QWidget *parent)
    : PopupPanel(Caption, parent),
      lblInfo(new QLabel(this)),
      lblCloseLib(new LinkLabel(QStringLiteral("Close"), this)),
      m_console(console)
{
    lblInfo->setWordWrap(true);
    lblInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeTwips(lblInfo, 120, 360, 6495, 495);
    for (const OptionalLibrary &library : optionalLibraries()) {
        auto *libraryRow = new LibraryRow(library, this);
        const int Index = static_cast<int>(rows.size()) + 1;
        connect(libraryRow, &LibraryRow::expandClicked, this, [this, Index] { imgExpand_Click(Index); });
        connect(libraryRow, &LibraryRow::installClicked, this, [this, Index] { lblInstall_Click(Index); });
        connect(libraryRow, &LibraryRow::readmeClicked, this, [this, Index] { lblCPUzInfoShow_Click(Index); });
        rows.push_back(libraryRow);
    }
    placeTwips(lblCloseLib, 2640, 2280, 1215, 255);
    connect(lblCloseLib, &LinkLabel::clicked, this, &QWidget::hide);
}

void InstallPanel::openWithMissing()
{
    open();
    RestoreLibVisible();
}

void InstallPanel::RestoreLibVisible()
{
    int top = twips(ListTop);
    for (LibraryRow *libraryRow : rows) {
        const bool missing = !m_console.libraryExists(libraryRow->library().file.toStdString());
        libraryRow->setVisible(missing);
        libraryRow->move(libraryRow->x(), top);
        if (missing)
            top += twips(RowSpacing);
    }
    lblInfo->setText(top != twips(ListTop)
                         ? QStringLiteral("All of these libraries are optional for the running of the benchmark, "
                                          "however are required in other aspects of the benchmark.")
                         : QStringLiteral("All Tarvik libraries are installed. Click close to hide this dialog."));
    placeTwips(lblInfo, 120, 360, 6495, 495);
    fitText(lblInfo);
}

void InstallPanel::imgExpand_Click(int Index)
{
    if (!isEnabled())
        return; // an installation is running
    LibraryRow &chosen = row(Index);
    if (!chosen.isExpanded()) {
        chosen.expand();
        for (LibraryRow *libraryRow : rows)
            libraryRow->setVisible(libraryRow == &chosen);
    } else {
        chosen.collapse();
        RestoreLibVisible();
    }
}

void InstallPanel::lblInstall_Click(int Index)
{
    if (!isEnabled())
        return; // an installation is running
    ShowInstallBusy();
    // The console prints the installation's progress, processing window
    // events meanwhile; the disabled panel ignores clicks until it ends.
    const bool ok = m_console.installLibrary(row(Index).library().file.toStdString());
    if (ok) {
        setEnabled(true);
        m_console.messages().inform(QStringLiteral("Installation"), QStringLiteral("Installation suceeded."),
                                    BoxIcon::Information);
    } else {
        m_console.messages().inform(QStringLiteral("Installation"),
                                    QStringLiteral("Installation failed.") + '\n' + m_console.installRefusal(),
                                    BoxIcon::Information);
    }
    RestoreLibVisible();
    ShowInstallIdle();
    emit installationEnded();
}

void InstallPanel::ShowInstallBusy()
{
    setTitle(QStringLiteral("Installing...please stand by"));
    setEnabled(false); // the links turn grey with it
}

void InstallPanel::ShowInstallIdle()
{
    setTitle(Caption);
    setEnabled(true);
}

void InstallPanel::lblCPUzInfoShow_Click(int Index)
{
    const OptionalLibrary &library = row(Index).library();
    const QString path = settings::systemFolder() + '/' + QFileInfo(library.file).completeBaseName() + "-readme.txt";
    try {
        // A readme that is there already is left as it is.
        if (!QFileInfo::exists(path))
            files::replaceFileBytes(QFile::encodeName(path).toStdString(), resourceText(library.readme));
    } catch (const Fault &fault) {
        m_console.messages().inform(QStringLiteral("Error"), QString::fromStdString(fault.description()),
                                    BoxIcon::Critical);
        return;
    }
    QCoreApplication::processEvents();
    openLocalFile(m_console, path);
}

} // namespace tarvik::gui
