#pragma once

#include "storage/statement_cache.h"

#include <QString>

#include <cstdint>

// The leaderboard's rows, kept up to date with every result that becomes
// accepted and listed or stops being so: one row per group, its best result.
namespace tarvik::server::best {

// One submitter's results of one test on one processor: one row of the leaderboard.
struct Group {
    int test;
    QString submitter;
    QString processor;
};

// The rows of the group in the table named `alias`: found by the indexed
// first 200 characters of both names, then compared whole. Bound with
// groupValues.
QString sameGroup(const QString &alias);

// A new accepted, listed result becomes its group's row when it is the
// group's first or beats its best; among equal times the first stored stays.
void keep(StatementCache &statements, const Group &group, std::int64_t id, double seconds);
// The result leaves the leaderboard; when it was its group's row, the
// group's next best accepted, listed result takes its place.
void drop(StatementCache &statements, std::int64_t id);

} // namespace tarvik::server::best
