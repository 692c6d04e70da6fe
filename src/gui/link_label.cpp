#include "gui/link_label.h"

#include <QMouseEvent>

namespace tarvik::gui {

namespace {
const QColor LinkBlue(0, 0, 255);
const QColor UnavailableGrey(128, 128, 128);
} // namespace

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    applyColour();
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.isClick(event, this))
        emit clicked();
}

void LinkLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        applyColour();
}

void LinkLabel::applyColour()
{
    QPalette colours = palette();
    const QColor colour = isEnabled() ? LinkBlue : UnavailableGrey;
    colours.setColor(QPalette::Active, QPalette::WindowText, colour);
    colours.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    colours.setColor(QPalette::Disabled, QPalette::WindowText, colour);
    setPalette(colours);
}

} // namespace tarvik::gui
