#include "engine/start.h"

namespace tarvik {

QString ProductTitle()
{
    return QStringLiteral("Tarvik Benchmark v1.55");
}

void RegisterServer() {}

void UnregisterServer() {}

} // namespace tarvik
