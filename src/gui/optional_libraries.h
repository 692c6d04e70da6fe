#pragma once

#include "gui/picture.h"

#include <QString>

#include <vector>

namespace tarvik::gui {

// A library the program can install from its resources; the install panel
// shows one row per library.
struct OptionalLibrary {
    QString title; // the row's heading
    QString file;  // the file name in the system folder, also the installer's key
    QString description;
    Drawing icon;
    QString readme; // a resource to show as the library's readme, or empty
};

const std::vector<OptionalLibrary> &optionalLibraries();

} // namespace tarvik::gui
