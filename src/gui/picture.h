#pragma once

#include "gui/click_tracker.h"

#include <QWidget>

#include <functional>

namespace tarvik::gui {

// Paints a picture into the given rectangle.
using Drawing = std::function<void(QPainter &, const QRectF &)>;

// A picture drawn in code, so that it stays crisp at any scale. A clickable
// picture acts as a button: hand pointer, a click when the mouse is released
// over it, nothing while it is disabled. It also takes the keyboard focus
// with Tab, shows it with a frame, and Enter or Space clicks it.
class Picture : public QWidget {
    Q_OBJECT
public:
    Picture(Drawing drawing, QWidget *parent, bool clickable = false);

    void setDrawing(Drawing drawing);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    Drawing m_drawing;
    bool m_clickable;
    ClickTracker m_click;
};

} // namespace tarvik::gui
