#pragma once

#include "requests/stored_result.h"
#include "web/processor_results.h"

#include <QSqlDatabase>

#include <cstdint>
#include <string>
#include <vector>

// What the processor page and the comparison read: accepted, listed results
// only, each found along an index, never by a walk through every result.
namespace tarvik::server::processors {

// Every accepted, listed time of `processor` (the whole record text) and
// one page of its results, newest first: the processor's submissions along
// their index, then their results along theirs.
ProcessorResults processorResults(QSqlDatabase &database, const std::string &processor, int page, int pageSize);

// The accepted, listed results among `ids`, in the order of `ids`; the
// others are left out.
std::vector<StoredResult> listedResults(QSqlDatabase &database, const std::vector<std::int64_t> &ids);

} // namespace tarvik::server::processors
