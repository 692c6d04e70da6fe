#pragma once

#include "rules/result_rules.h"
#include "storage/database_settings.h"

#include <QString>

namespace tarvik::server {

// The tasks an operator runs beside the server; each gives the exit status.

// Removes one result (people ask to take down what they uploaded).
int removeResult(const DatabaseSettings &database, qint64 id);
// Writes every result as a JSON array; the file is replaced only once it is whole.
int exportResults(const DatabaseSettings &database, const QString &file);
// Writes every accepted, listed result, as --export writes them, to a gzip
// file that replaces `file` once it is whole: what the web pages offer for
// download.
int dumpResults(const DatabaseSettings &database, const QString &file);
// Lists the results held for review, one line each.
int listHeldResults(const DatabaseSettings &database);
// A reviewer's verdict on one result, with why, kept in the audit log.
int decideResult(const DatabaseSettings &database, qint64 id, rules::Verdict verdict, const QString &why);

} // namespace tarvik::server
