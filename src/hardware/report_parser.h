#pragma once

#include "hardware/line_sink.h"
#include "records/hash_table.h"

#include <string>

namespace tarvik {

// Reads the hardware report into a table keyed "<section>.<item>", such as
// "Processors Information.Core Speed", with the report's value texts
// unchanged but for their control bytes, which are dropped. Lines end in CR LF. A section starts at a line of eight or
// more dashes and is named by the line before it; an item line is an optional tab, the item name, tabs and the value.
// "Dump" blocks (up to the next empty line), lines shorter than four bytes and lines beginning with "0x" or "MSR" are
// not stored, and the pass ends at the line "DMI System Enclosure". A key met again keeps its last value.
//
// Prints its start line and, in steps of 5, the share of lines read.
HashTable ParseReport(const std::string &text, const LineSink &print);

// The text before the first tab; empty when the line has no tab or begins with one.
std::string TextBeforeFirstTab(const std::string &line);

// The text after the last tab; the whole line when it has no tab.
std::string TextAfterLastTab(const std::string &line);

} // namespace tarvik
