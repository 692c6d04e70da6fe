#pragma once

#include "hardware/hardware_fields.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Messages as the program sends them: built by the protocol's builder from
// the program's own hardware fields.
namespace tarvik::server::testing {

// The fields the program fills from its hardware report (the "cehi" record),
// and from its processor scan alone (the short record).
HardwareFields reportMachine(char decimalSeparator = '.');
HardwareFields scanMachine();

struct Record {
    int test = 0;
    double seconds = 0;
};

// A SUBMIT: every time to three decimals in the sender's locale, with its
// checksum from the machine's clock and specification.
std::string submitMessage(const std::string &submitter, const std::string &description, const HardwareFields &machine,
                          int threads, const std::vector<Record> &records, char decimalSeparator = '.');
std::string getMessage(const std::string &id);

// The result id of each test in a SUBMIT's answer, read as the program reads it.
std::map<int, std::int64_t> resultIds(const std::string &answer);
// The result ids a browser submission's page links to.
std::vector<std::int64_t> linkedIds(const std::string &page);

// The management address a reply or a confirmation page gives.
struct Management {
    std::string submission;
    std::string key;
};
std::optional<Management> managementIn(const std::string &answer);

} // namespace tarvik::server::testing
