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
    // The keyboard starts in the panel, at its first control.
    for (QWidget *widget = nextInFocusChain(); widget != this && isAncestorOf(widget);
         widget = widget->nextInFocusChain()) {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() && widget->isVisibleTo(this)) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void PopupPanel::showEvent(QShowEvent *event)
{
    QGroupBox::showEvent(event);
    emit opened();
}

void PopupPanel::hideEvent(QHideEvent *event)
{
    QGroupBox::hideEvent(event);
    emit closed();
}

} // namespace tarvik::gui
