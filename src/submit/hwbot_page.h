#pragma once

#include "hardware/hardware_fields.h"

#include <cstdint>
#include <string>
#include <vector>

// The page that submits one best time to HWBOT: a form of hidden fields that
// posts itself as soon as a browser loads it. HWBOT reads the fields by these
// exact names and values.
namespace tarvik::submit {

struct FormField {
    std::string name;
    std::string value;

    bool operator==(const FormField &) const = default;
};

// One standard test's best time as HWBOT receives it.
struct HwbotScore {
    std::int16_t test = 0; // 6 (32M) or 11 (1024M)
    double time = 0;       // the best time rounded to 2 decimals
    std::string description;
    std::int32_t submissionId = 0; // the result server's id, 0 for none
};

// What every page shares: the machine, the program's version text, the
// result server's web site for the verification link, and the user's
// decimal separator (the checksum reads the time with it).
struct HwbotContext {
    const HardwareFields &hw;
    std::string clientVersion;
    std::string webAddress;
    char decimalSeparator = '.';
};

// "<input type=hidden name=<nam> value='<property>'>" and CR LF, the value
// HTML-escaped so that an apostrophe or markup arrives as text. A name that
// ends in a blank (the memory fields) is separated from "value" by it.
std::string property_string(const std::string &nam, const std::string &property);

// The program's version as HWBOT expects it: major, ".", then minor and
// revision written one after the other (1, 5, 5 give "1.55").
std::string clientVersion(int major, int minor, int revision);

// The fields of the page of `score`, in the order HWBOT's form lists them;
// "verificationUrl" only when the result server gave an id.
// Throws Fault when the checksum cannot be made (no processor name, a clock
// text that is not a number).
std::vector<FormField> hwbotFields(const HwbotScore &score, const HwbotContext &context);

// The form that posts `fields` to `action`.
std::string hwbotForm(const std::string &action, const std::vector<FormField> &fields);

// The whole page around `form`: it submits the form once loaded.
std::string hwbotPage(const std::string &form);

// "submission6.htm", "submission11.htm".
std::string pageFileName(std::int16_t test);

} // namespace tarvik::submit
