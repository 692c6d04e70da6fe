#include "gui/pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace tarvik::gui::pictures {

namespace {

const QColor Navy(20, 40, 110);
const QColor Sky(70, 130, 210);
const QColor Ink(60, 60, 60);

// A square of side `side` centred in `area`, so icons keep their shape.
QRectF centredSquare(const QRectF &area)
{
    const qreal side = std::min(area.width(), area.height());
    return {area.center().x() - side / 2, area.center().y() - side / 2, side, side};
}

// A pen whose width is a share of the icon's size.
QPen strokeFor(const QRectF &box, QColor colour, qreal share = 0.1)
{
    QPen pen(colour, std::max<qreal>(1.0, box.width() * share));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// The framed square the plus and minus toggles are drawn in.
QRectF toggleFrame(QPainter &painter, const QRectF &area)
{
    const QRectF box = centredSquare(area).adjusted(1, 1, -1, -1);
    painter.setPen(QPen(Ink, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(box);
    painter.setPen(strokeFor(box, Navy, 0.14));
    return box;
}

} // namespace

void banner(QPainter &painter, const QRectF &area)
{
    QLinearGradient sky(area.topLeft(), area.bottomRight());
    sky.setColorAt(0, Navy);
    sky.setColorAt(1, Sky);
    painter.fillRect(area, sky);

    // A root sign, the benchmark's work, left of the name.
    const qreal h = area.height();
    QPainterPath root;
    root.moveTo(area.left() + h * 0.18, area.top() + h * 0.55);
    root.lineTo(area.left() + h * 0.30, area.top() + h * 0.48);
    root.lineTo(area.left() + h * 0.48, area.top() + h * 0.82);
    root.lineTo(area.left() + h * 0.68, area.top() + h * 0.18);
    root.lineTo(area.left() + h * 1.05, area.top() + h * 0.18);
    painter.setPen(QPen(Qt::white, h * 0.07, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(root);

    QFont name = painter.font();
    name.setBold(true);
    name.setPixelSize(static_cast<int>(h * 0.5));
    painter.setFont(name);
    const QRectF text(area.left() + h * 1.15, area.top(), area.width() - h * 1.2, h * 0.72);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Tarvik"));

    QFont subtitle = painter.font();
    subtitle.setBold(false);
    subtitle.setPixelSize(static_cast<int>(h * 0.17));
    painter.setFont(subtitle);
    painter.setPen(QColor(220, 230, 250));
    painter.drawText(QRectF(text.left(), area.top() + h * 0.72, text.width(), h * 0.24), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("processor benchmark"));
}

void resultDatabase(QPainter &painter, const QRectF &area)
{
    // A database drum followed by the site's name.
    const qreal h = area.height();
    const QRectF drum(area.left() + 2, area.top() + 2, h * 0.8, h - 4);
    const qreal lid = drum.height() * 0.28;
    painter.setPen(QPen(Navy, 1.2));
    painter.setBrush(QColor(225, 235, 250));
    painter.drawRect(QRectF(drum.left(), drum.top() + lid / 2, drum.width(), drum.height() - lid));
    painter.drawEllipse(QRectF(drum.left(), drum.bottom() - lid, drum.width(), lid));
    painter.drawEllipse(QRectF(drum.left(), drum.top(), drum.width(), lid));
    painter.drawArc(QRectF(drum.left(), drum.center().y() - lid / 2, drum.width(), lid), 180 * 16, 180 * 16);

    QFont name = painter.font();
    name.setBold(true);
    name.setPixelSize(static_cast<int>(h * 0.55));
    painter.setFont(name);
    painter.setPen(Navy);
    painter.drawText(QRectF(drum.right() + h * 0.3, area.top(), area.width() - drum.width() - h * 0.4, h),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("hwbot.org results"));
}

void plus(QPainter &painter, const QRectF &area)
{
    const QRectF box = toggleFrame(painter, area);
    const qreal m = box.width() * 0.25;
    painter.drawLine(QPointF(box.left() + m, box.center().y()), QPointF(box.right() - m, box.center().y()));
    painter.drawLine(QPointF(box.center().x(), box.top() + m), QPointF(box.center().x(), box.bottom() - m));
}

void minus(QPainter &painter, const QRectF &area)
{
    const QRectF box = toggleFrame(painter, area);
    const qreal m = box.width() * 0.25;
    painter.drawLine(QPointF(box.left() + m, box.center().y()), QPointF(box.right() - m, box.center().y()));
}

void save(QPainter &painter, const QRectF &area)
{
    // A diskette: body, label and shutter.
    const QRectF box = centredSquare(area).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal s = box.width();
    QPainterPath body;
    body.moveTo(box.topLeft());
    body.lineTo(box.right() - s * 0.2, box.top());
    body.lineTo(box.right(), box.top() + s * 0.2);
    body.lineTo(box.bottomRight());
    body.lineTo(box.bottomLeft());
    body.closeSubpath();
    painter.setPen(QPen(Navy, std::max<qreal>(1.0, s * 0.07)));
    painter.setBrush(Sky);
    painter.drawPath(body);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(box.left() + s * 0.2, box.top() + s * 0.52, s * 0.6, s * 0.4));
    painter.setBrush(Navy);
    painter.drawRect(QRectF(box.left() + s * 0.28, box.top() + s * 0.08, s * 0.4, s * 0.28));
}

void install(QPainter &painter, const QRectF &area)
{
    // An arrow down into a tray.
    const QRectF box = centredSquare(area).adjusted(1, 1, -1, -1);
    const qreal s = box.width();
    painter.setPen(strokeFor(box, Navy, 0.12));
    painter.setBrush(Qt::NoBrush);
    QPainterPath tray;
    tray.moveTo(box.left(), box.top() + s * 0.62);
    tray.lineTo(box.left(), box.bottom());
    tray.lineTo(box.right(), box.bottom());
    tray.lineTo(box.right(), box.top() + s * 0.62);
    painter.drawPath(tray);
    const QPointF tip(box.center().x(), box.top() + s * 0.72);
    painter.drawLine(QPointF(tip.x(), box.top()), tip);
    painter.drawLine(tip, QPointF(tip.x() - s * 0.25, tip.y() - s * 0.25));
    painter.drawLine(tip, QPointF(tip.x() + s * 0.25, tip.y() - s * 0.25));
}

void settings(QPainter &painter, const QRectF &area)
{
    // A gear of eight teeth around a hole.
    const QRectF box = centredSquare(area).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPointF c = box.center();
    const qreal outer = box.width() / 2;
    const qreal inner = outer * 0.7;
    QPainterPath gear;
    constexpr int Teeth = 8;
    for (int i = 0; i < Teeth * 4; ++i) {
        const qreal angle = 2 * std::numbers::pi * (i - 0.5) / (Teeth * 4);
        const qreal r = (i % 4 < 2) ? outer : inner;
        const QPointF p(c.x() + r * std::cos(angle), c.y() + r * std::sin(angle));
        if (i == 0)
            gear.moveTo(p);
        else
            gear.lineTo(p);
    }
    gear.closeSubpath();
    gear.addEllipse(c, outer * 0.3, outer * 0.3);
    painter.setPen(QPen(Navy, std::max<qreal>(0.8, box.width() * 0.05)));
    painter.setBrush(QColor(140, 150, 170));
    painter.drawPath(gear);
}

void processorChip(QPainter &painter, const QRectF &area)
{
    // A chip with pins on every side.
    const QRectF box = centredSquare(area);
    const qreal s = box.width();
    const QRectF chip = box.adjusted(s * 0.2, s * 0.2, -s * 0.2, -s * 0.2);
    painter.setPen(strokeFor(box, Ink, 0.05));
    constexpr int Pins = 4;
    for (int i = 0; i < Pins; ++i) {
        const qreal at = chip.left() + chip.width() * (i + 0.5) / Pins;
        const qreal down = chip.top() + chip.height() * (i + 0.5) / Pins;
        painter.drawLine(QPointF(at, box.top() + s * 0.05), QPointF(at, box.bottom() - s * 0.05));
        painter.drawLine(QPointF(box.left() + s * 0.05, down), QPointF(box.right() - s * 0.05, down));
    }
    painter.setPen(QPen(Ink, std::max<qreal>(1.0, s * 0.04)));
    painter.setBrush(QColor(50, 60, 80));
    painter.drawRoundedRect(chip, s * 0.05, s * 0.05);
    painter.setPen(Qt::white);
    QFont label = painter.font();
    label.setBold(true);
    label.setPixelSize(std::max(6, static_cast<int>(s * 0.18)));
    painter.setFont(label);
    painter.drawText(chip, Qt::AlignCenter, QStringLiteral("CPU"));
}

} // namespace tarvik::gui::pictures
