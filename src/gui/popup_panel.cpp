#include "gui/popup_panel.h"

#include "gui/twips.h"

namespace tarvik::gui {

PopupPanel::PopupPanel(const QString &caption, QWidget *parent) : QGroupBox(caption, parent)
{
    placeTwips(this, 120, 1200, 6735, 2655);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    hide();
}

void PopupPanel::open()
{
    raise();
    show();
}

} // namespace tarvik::gui
