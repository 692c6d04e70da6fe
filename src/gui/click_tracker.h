#pragma once

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace tarvik::gui {

// Tells a click on a widget as a button does: the left button pressed and
// released over the widget while it is enabled. A double click counts as one
// click: its second press arrives as a double-click event, which arms
// nothing, so a link never starts its work twice.
class ClickTracker {
public:
    void press(const QMouseEvent *event)
    {
        m_pressed = event->type() == QEvent::MouseButtonPress && event->button() == Qt::LeftButton;
    }

    bool isClick(const QMouseEvent *event, const QWidget *widget)
    {
        const bool click = m_pressed && event->button() == Qt::LeftButton &&
                           widget->rect().contains(event->position().toPoint()) && widget->isEnabled();
        m_pressed = false;
        return click;
    }

private:
    bool m_pressed = false;
};

// Enter, Return and Space on a focused link or picture click it, as they
// press a button.
inline bool isActivationKey(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        return !event->isAutoRepeat();
    default:
        return false;
    }
}

} // namespace tarvik::gui
