// On a desktop with a dark palette every text of the front end stays
// readable: the contrast of each label's colour against the colour it is
// drawn on is at least 4.5 : 1, the common bar for body text.
#include "front_end_fixture.h"

#include "gui/link_label.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <cmath>

using namespace tarvik;
using namespace tarvik::testing;

namespace {

double relativeLuminance(const QColor &colour)
{
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// What a widget is painted on: its own field for the text fields, else the
// nearest widget that fills its background.
QColor background(const QWidget *widget)
{
    if (qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QPlainTextEdit *>(widget))
        return widget->palette().color(QPalette::Base);
    for (const QWidget *w = widget; w; w = w->parentWidget())
        if (w->autoFillBackground() || w->isWindow())
            return w->palette().color(w->backgroundRole());
    return {};
}

QColor foreground(const QWidget *widget)
{
    if (qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QPlainTextEdit *>(widget))
        return widget->palette().color(QPalette::Text);
    return widget->palette().color(widget->foregroundRole());
}

// A dark palette as dark desktop themes have it.
QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, QColor(238, 238, 238));
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    dark.setColor(QPalette::AlternateBase, QColor(53, 53, 53));
    dark.setColor(QPalette::Text, QColor(238, 238, 238));
    dark.setColor(QPalette::Button, QColor(53, 53, 53));
    dark.setColor(QPalette::ButtonText, QColor(238, 238, 238));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    return dark;
}

class DarkPalette : public FrontEndTest {
protected:
    DarkPalette() : m_saved(QApplication::palette()) { QApplication::setPalette(darkPalette()); }
    ~DarkPalette() override { QApplication::setPalette(m_saved); }

    QPalette m_saved;
};

TEST_F(DarkPalette, EveryTextOfTheWindowAndItsPanelsIsReadable)
{
    gui::frmGUI &window = openFrontEnd();
    // Unavailable links as the viewer shows them are read as well.
    window.lbl1024M->setEnabled(false);
    int checked = 0;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        const bool text = qobject_cast<QLabel *>(widget) || qobject_cast<QAbstractButton *>(widget) ||
                          qobject_cast<QGroupBox *>(widget) || qobject_cast<QLineEdit *>(widget) ||
                          qobject_cast<QPlainTextEdit *>(widget);
        // Controls that are switched off by the desktop's own palette are
        // its business; the front end's own unavailable links are not.
        if (!text || (!widget->isEnabled() && !qobject_cast<gui::LinkLabel *>(widget)))
            continue;
        const double ratio = contrast(foreground(widget), background(widget));
        EXPECT_GE(ratio, 4.5) << widget->metaObject()->className() << " "
                              << widget->accessibleName().toStdString() << " "
                              << foreground(widget).name().toStdString() << " on "
                              << background(widget).name().toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 40) << "the panels' texts are among them";
}

TEST_F(DarkPalette, TheLightDesignKeepsItsWhitePanelAndBlueLinks)
{
    QApplication::setPalette(m_saved);
    gui::frmGUI &window = openFrontEnd();
    EXPECT_EQ(window.frahwbot->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(window.lbl32M->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

} // namespace
