#include "gui/text_fit.h"

#include <QAbstractButton>
#include <QLabel>

namespace tarvik::gui {

namespace {

// A box that grew past its container's right edge moves left to stay inside.
void keepInsideParent(QWidget *widget)
{
    constexpr int Margin = 3; // clear of a frame's border
    const QWidget *parent = widget->parentWidget();
    if (!parent)
        return;
    const int overflow = widget->geometry().right() - (parent->width() - 1 - Margin);
    if (overflow > 0)
        widget->move(std::max(0, widget->x() - overflow), widget->y());
}

} // namespace

void fitText(QLabel *label)
{
    if (label->wordWrap()) {
        label->resize(label->width(), std::max(label->height(), label->heightForWidth(label->width())));
        return;
    }
    const QSize needed = label->sizeHint();
    label->resize(std::max(label->width(), needed.width()), std::max(label->height(), needed.height()));
    keepInsideParent(label);
}

void fitText(QAbstractButton *button)
{
    const QSize needed = button->sizeHint();
    button->resize(std::max(button->width(), needed.width()), std::max(button->height(), needed.height()));
    keepInsideParent(button);
}

} // namespace tarvik::gui
