#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

// The front end's colours. Its design is a white panel with blue links; on a
// desktop whose palette is dark, the panels take the palette's own window
// colour and the links lighter shades, so that every text stays readable.
namespace tarvik::gui::theme {

// The palette's text is lighter than its window.
bool isDark(const QPalette &palette);

// The colour of the main panel, the test boxes and the library rows.
QColor panelColour(const QPalette &palette);
// A link's text: blue (grey while unavailable), lightened on a dark palette.
QColor linkColour(const QPalette &palette, bool available);

// Fills `widget` with the panel colour of its palette.
void paintAsPanel(QWidget *widget);

// Draws the keyboard focus around a clickable text or picture, as buttons
// show theirs.
void drawFocusFrame(QWidget *widget);

} // namespace tarvik::gui::theme
