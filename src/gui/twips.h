#pragma once

#include <QRect>
#include <QWidget>

// The front end's layout is given in twips, the unit its forms were designed
// in. At 15 twips per device-independent pixel, Qt's high-DPI scaling keeps
// the layout the same at any scale factor.
namespace tarvik::gui {

constexpr int twips(int value)
{
    return value / 15;
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

inline void placeTwips(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsRect(left, top, width, height));
}

} // namespace tarvik::gui
