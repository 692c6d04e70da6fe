#include "gui/theme.h"

#include <QPainter>
#include <QWidget>

namespace tarvik::gui::theme {

namespace {
const QColor LinkBlue(0, 0, 255);
const QColor UnavailableGrey(128, 128, 128);
// Lighter shades keep a contrast of at least 5:1 against the dark window
// colours desktops use (#2d2d2d to #454545).
const QColor DarkLinkBlue(130, 175, 255);
const QColor DarkUnavailableGrey(175, 175, 175);
} // namespace

bool isDark(const QPalette &palette)
{
    return palette.color(QPalette::WindowText).lightness() > palette.color(QPalette::Window).lightness();
}

QColor panelColour(const QPalette &palette)
{
    return isDark(palette) ? palette.color(QPalette::Window) : QColor(Qt::white);
}

QColor linkColour(const QPalette &palette, bool available)
{
    if (isDark(palette))
        return available ? DarkLinkBlue : DarkUnavailableGrey;
    return available ? LinkBlue : UnavailableGrey;
}

void paintAsPanel(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, panelColour(palette));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void drawFocusFrame(QWidget *widget)
{
    // In the text's own colour, so that the frame shows in every style and
    // palette (some styles draw no focus frame around a plain label at all).
    QPainter painter(widget);
    painter.setPen(QPen(widget->palette().color(widget->foregroundRole()), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(widget->rect().adjusted(0, 0, -1, -1));
}

} // namespace tarvik::gui::theme
