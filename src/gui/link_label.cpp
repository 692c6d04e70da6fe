#include "gui/link_label.h"

#include "gui/theme.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace tarvik::gui {

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(text);
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

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    if (isActivationKey(event) && isEnabled())
        emit clicked();
    else
        QLabel::keyPressEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (hasFocus())
        theme::drawFocusFrame(this);
}

void LinkLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::ApplicationPaletteChange)
        applyColour();
}

void LinkLabel::applyColour()
{
    QPalette colours = palette();
    const QColor colour = theme::linkColour(colours, isEnabled());
    colours.setColor(QPalette::Active, QPalette::WindowText, colour);
    colours.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    colours.setColor(QPalette::Disabled, QPalette::WindowText, colour);
    setPalette(colours);
}

} // namespace tarvik::gui
