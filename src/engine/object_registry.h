#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace tarvik {

// Creatable classes by programmatic identifier, as "Tarvik.Calculator".
using ObjectFactory = std::function<std::unique_ptr<QObject>()>;

void registerClass(const QString &progId, ObjectFactory factory);
// Throws Fault("ActiveX component can't create object") for an unknown id.
std::unique_ptr<QObject> createObject(const QString &progId);

} // namespace tarvik
