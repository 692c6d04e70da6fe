#pragma once

#include <QSqlDatabase>

namespace tarvik::server {

// Brings the database to the newest schema, one step at a time, each step in
// a transaction of its own together with the version number it reaches, so
// an interrupted upgrade resumes where it stopped. Processes that upgrade
// one database at the same moment take turns, and each step is made once.
// Throws StoreUnavailable.
void upgradeSchema(QSqlDatabase &database);

// The version the database is at, 0 for one no server has prepared; reads only.
int storedSchemaVersion(QSqlDatabase &database);

// The version upgradeSchema reaches.
int newestSchemaVersion();

} // namespace tarvik::server
