#pragma once

#include <QString>

namespace tarvik {

// The product name the console window carries as its caption.
QString ProductTitle();

// Self-registration of the worker server. Worker objects come from an
// in-process registry on this platform, so there is nothing to register.
void RegisterServer();
void UnregisterServer();

} // namespace tarvik
