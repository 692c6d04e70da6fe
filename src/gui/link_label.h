#pragma once

#include "gui/click_tracker.h"

#include <QLabel>

namespace tarvik::gui {

// A clickable text drawn as a link: blue and underlined with a hand pointer,
// grey while it is unavailable (disabled).
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString &text, QWidget *parent);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void applyColour();

    ClickTracker m_click;
};

} // namespace tarvik::gui
