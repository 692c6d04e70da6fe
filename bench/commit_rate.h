#pragma once

#include <QString>

#include <chrono>

namespace tarvik::bench {

// Single-row durable commits per second that SQLite itself manages on the
// disk holding `folder`: one insert per transaction, in write-ahead-log mode
// with synchronous=FULL, as the result server writes, for `duration`.
double sqliteCommitRate(const QString &folder, std::chrono::seconds duration);

} // namespace tarvik::bench
