#include "gui/test_box.h"

#include "gui/link_label.h"
#include "gui/picture.h"
#include "gui/pictures.h"
#include "gui/text_fit.h"
#include "gui/twips.h"

#include <QLabel>
#include <QLineEdit>

namespace tarvik::gui {

TestBox::TestBox(const TestBoxDesign &design, QWidget *parent)
    : QGroupBox(design.caption, parent),
      txtScore(new QLineEdit(QStringLiteral("Not tested"), this)),
      imgSave(new Picture(pictures::save, this, true)),
      lblRun(new LinkLabel(design.runText, this))
{
    placeTwips(this, 4080, design.top, 2775, 1095);
    auto *best = new QLabel(QStringLiteral("Best Score:"), this);
    placeTwips(best, 120, 360, 1095, 255);
    fitText(best);
    txtScore->setReadOnly(true);
    txtScore->setFrame(false);
    txtScore->setTextMargins(0, 0, 0, 0);
    placeTwips(txtScore, 1200, 360, 1335, 285);
    best->setBuddy(txtScore);
    txtScore->setAccessibleName(design.test + QStringLiteral(" best score"));
    placeTwips(imgSave, 120, 720, 210, 210);
    imgSave->setAccessibleName(QStringLiteral("Save ") + design.test + QStringLiteral(" score"));
    imgSave->setAccessibleDescription(QStringLiteral("Opens the panel that saves the score to a file"));
    imgSave->setToolTip(imgSave->accessibleName());
    placeTwips(lblRun, design.runLeft, 720, design.runWidth, 255);
    fitText(lblRun);
}

} // namespace tarvik::gui
