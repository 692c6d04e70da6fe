#pragma once

#include <QGroupBox>

namespace tarvik::gui {

// A framed panel that opens over the main panel of the front end: it covers
// the CPU list, the test boxes and every link that opens another panel, so
// only one is open at a time. Hidden until opened.
class PopupPanel : public QGroupBox {
    Q_OBJECT
public:
    PopupPanel(const QString &caption, QWidget *parent);

    void open();

signals:
    void opened();
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
};

} // namespace tarvik::gui
