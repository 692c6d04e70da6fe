#include "gui/library_row.h"

#include "gui/link_label.h"
#include "gui/picture.h"
#include "gui/pictures.h"
#include "gui/text_fit.h"
#include "gui/theme.h"
#include "gui/twips.h"

#include <QLabel>

namespace tarvik::gui {

namespace {
// A new row shows everything; expanded it is a little shorter, collapsed
// only its title line shows.
constexpr int NewHeight = 1335;
constexpr int ExpandedHeight = 1200;
constexpr int CollapsedHeight = 375;
constexpr int ListTop = 840;
} // namespace

LibraryRow::LibraryRow(const OptionalLibrary &library, QWidget *parent)
    : QFrame(parent),
      imgExpand(new Picture(pictures::plus, this, true)),
      lblInstall(new LinkLabel(QStringLiteral("Install"), this)),
      lblReadme(nullptr),
      m_library(library),
      m_topBeforeExpanding(twips(ListTop))
{
    setFrameShape(QFrame::NoFrame);
    theme::paintAsPanel(this);
    placeTwips(this, 120, ListTop, 6495, NewHeight);

    auto *icon = new Picture(library.icon, this);
    placeTwips(icon, 360, 375, 360, 360);
    auto *title = new QLabel(library.title, this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    placeTwips(title, 1080, 120, 2535, 255);
    fitText(title);
    placeTwips(imgExpand, 405, 120, 240, 240);
    imgExpand->setAccessibleName(QStringLiteral("Show or hide ") + library.title);
    imgExpand->setToolTip(imgExpand->accessibleName());
    placeTwips(lblInstall, 5160, 120, 1215, 255);
    fitText(lblInstall);
    lblInstall->setAccessibleName(QStringLiteral("Install ") + library.title);
    lblInstall->setAccessibleDescription(QStringLiteral("Installs ") + library.file);

    auto *description = new QLabel(library.description, this);
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeTwips(description, 1320, 360, 5175, 615);
    fitText(description);
    if (!library.readme.isEmpty()) {
        lblReadme = new LinkLabel(QStringLiteral("Click here for CPUz readme"), this);
        placeTwips(lblReadme, 1320, 960, 2055, 255);
        fitText(lblReadme);
        connect(lblReadme, &LinkLabel::clicked, this, &LibraryRow::readmeClicked);
    }
    auto *fileName = new QLabel(library.file, this);
    fileName->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    placeTwips(fileName, 0, 840, 1095, 375);

    connect(imgExpand, &Picture::clicked, this, &LibraryRow::expandClicked);
    connect(lblInstall, &LinkLabel::clicked, this, &LibraryRow::installClicked);
}

bool LibraryRow::isExpanded() const
{
    return height() == twips(ExpandedHeight);
}

void LibraryRow::expand()
{
    m_topBeforeExpanding = y();
    setGeometry(x(), twips(ListTop), width(), twips(ExpandedHeight));
    imgExpand->setDrawing(pictures::minus);
}

void LibraryRow::collapse()
{
    setGeometry(x(), m_topBeforeExpanding, width(), twips(CollapsedHeight));
    imgExpand->setDrawing(pictures::plus);
}

} // namespace tarvik::gui
