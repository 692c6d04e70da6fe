#pragma once

#include "gui/click_tracker.h"

#include <QLabel>

namespace tarvik::gui {

// A clickable text drawn as a link: blue and underlined with a hand pointer,
// grey while it is unavailable (disabled). It takes the keyboard focus with
// Tab, shows it with a frame, and Enter or Space clicks it. Screen readers
// know it as a link named by its text.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString &text, QWidget *parent);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void applyColour();

    ClickTracker m_click;
};

} // namespace tarvik::gui
