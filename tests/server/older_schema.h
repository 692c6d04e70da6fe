#pragma once

#include <QString>

namespace tarvik::server::testing {

// Turns a database that the server made (an SQLite file or a postgresql://
// address) into one as an earlier server left it, at schema `version` 2 or
// 3, every result kept: what an upgrade starts from.
void makeOlderSchema(const QString &database, int version);

} // namespace tarvik::server::testing
