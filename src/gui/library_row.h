#pragma once

#include "gui/optional_libraries.h"

#include <QFrame>

class QLabel;

namespace tarvik::gui {

class LinkLabel;
class Picture;

// One row of the install panel: a library's title, its toggle, its "Install"
// link, its description and file name. Expanded it shows everything;
// collapsed only its title line.
class LibraryRow : public QFrame {
    Q_OBJECT
public:
    LibraryRow(const OptionalLibrary &library, QWidget *parent);

    const OptionalLibrary &library() const { return m_library; }
    bool isExpanded() const;
    // Expands the row at the top of the list, remembering where it was.
    void expand();
    // Collapses the row back to where it was before it was expanded.
    void collapse();

    Picture *imgExpand;
    LinkLabel *lblInstall;
    LinkLabel *lblReadme; // null when the library has no readme

signals:
    void expandClicked();
    void installClicked();
    void readmeClicked();

private:
    OptionalLibrary m_library;
    int m_topBeforeExpanding;
};

} // namespace tarvik::gui
