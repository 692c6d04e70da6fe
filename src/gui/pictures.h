#pragma once

class QPainter;
class QRectF;

// The front end's pictures, drawn in code so that they are crisp at any
// scale. Each fills the rectangle it is given.
namespace tarvik::gui::pictures {

void banner(QPainter &painter, const QRectF &area);         // the product's name, 256 x 64
void resultDatabase(QPainter &painter, const QRectF &area); // the web result database, 160 x 25
void plus(QPainter &painter, const QRectF &area);
void minus(QPainter &painter, const QRectF &area);
void save(QPainter &painter, const QRectF &area);
void install(QPainter &painter, const QRectF &area);
void settings(QPainter &painter, const QRectF &area);
void processorChip(QPainter &painter, const QRectF &area); // the report helper's icon

} // namespace tarvik::gui::pictures
