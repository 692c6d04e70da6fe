#include "engine/object_registry.h"

#include "foundation/fault.h"

#include <QHash>

namespace tarvik {

namespace {
QHash<QString, ObjectFactory> &factories()
{
    static QHash<QString, ObjectFactory> table;
    return table;
}
} // namespace

void registerClass(const QString &progId, ObjectFactory factory)
{
    factories().insert(progId, std::move(factory));
}

std::unique_ptr<QObject> createObject(const QString &progId)
{
    const auto it = factories().constFind(progId);
    if (it == factories().constEnd())
        throw Fault(faults::CannotCreateObject);
    return (*it)();
}

} // namespace tarvik
