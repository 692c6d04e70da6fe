#pragma once

#include "web/processor_results.h"

#include <string>

namespace tarvik::server::pages {

// "/processor?name=<the processor record text, percent-encoded>": the key
// every processor name on the pages links to.
std::string processorAddress(const std::string &processor);
// The address of the page of a result.
std::string scoreAddress(std::int64_t id);

// Every accepted, listed result of one processor: the times by test and
// thread count with their spread, time versus threads for the standard
// tests, and the results newest first, with check boxes that compare them.
std::string processorPage(const ProcessorResults &results);
std::string noSuchProcessor(const std::string &processor);

// The pages' own markup beside the shared style sheet: a table that
// scrolls in its own box, charts that shrink to the screen.
std::string scrollingTable(const std::string &table);

} // namespace tarvik::server::pages
