#include "libraries/library_path.h"

#include "console/settings.h"
#include "console/shared_helpers.h"

#include <QFile>

namespace tarvik {

std::string libraryPath(const std::string &file)
{
    return AddSlash(QFile::encodeName(settings::systemFolder()).toStdString()) + file;
}

} // namespace tarvik
