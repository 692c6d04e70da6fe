#pragma once

#include "cli/results_document.h"

#include <QString>

namespace tarvik::cli {

// The block a batch run prints after the session's lines: the statistics
// of its runs, the conditions they ran in and the warnings those give.
QString batchSummary(const SessionResults &session);

} // namespace tarvik::cli
