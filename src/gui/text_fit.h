#pragma once

class QLabel;
class QAbstractButton;

namespace tarvik::gui {

// The positions come from forms designed for a narrower font than a desktop's
// default, so a text may need more room than its designed box. These grow the
// box (never shrink it) so that no text is cut off: a one-line text gets
// wider, a wrapped text taller.
void fitText(QLabel *label);
void fitText(QAbstractButton *button);

} // namespace tarvik::gui
