#include "gui/picture.h"

#include "gui/theme.h"

#include <QMouseEvent>
#include <QPainter>

namespace tarvik::gui {

Picture::Picture(Drawing drawing, QWidget *parent, bool clickable)
    : QWidget(parent),
      m_drawing(std::move(drawing)),
      m_clickable(clickable)
{
    if (clickable) {
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::StrongFocus);
    }
}

void Picture::setDrawing(Drawing drawing)
{
    m_drawing = std::move(drawing);
    update();
}

void Picture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (!isEnabled())
        painter.setOpacity(0.4);
    m_drawing(painter, QRectF(rect()));
    painter.end();
    if (hasFocus())
        theme::drawFocusFrame(this);
}

void Picture::keyPressEvent(QKeyEvent *event)
{
    if (m_clickable && isActivationKey(event) && isEnabled())
        emit clicked();
    else
        QWidget::keyPressEvent(event);
}

void Picture::mousePressEvent(QMouseEvent *event)
{
    if (m_clickable)
        m_click.press(event);
}

void Picture::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.isClick(event, this))
        emit clicked();
}

} // namespace tarvik::gui
