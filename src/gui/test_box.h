#pragma once

#include <QGroupBox>

class QLineEdit;

namespace tarvik::gui {

class LinkLabel;
class Picture;

// What a standard test's box shows.
struct TestBoxDesign {
    QString test;    // "32M", how the box's controls are named for screen readers
    QString caption; // "32M (speed test)"
    int top;         // in twips, inside the main panel
    QString runText; // "Run 32M Benchmark"
    int runLeft;     // the run link's left edge and width, in twips
    int runWidth;
};

// A white box for one standard test: its best score, a save icon that opens
// the save panel and a link that runs the test.
class TestBox : public QGroupBox {
    Q_OBJECT
public:
    TestBox(const TestBoxDesign &design, QWidget *parent);

    QLineEdit *txtScore;
    Picture *imgSave;
    LinkLabel *lblRun;
};

} // namespace tarvik::gui
