#pragma once

#include "protocol/message.h"

#include <cstdint>
#include <string>
#include <vector>

// Writing the two messages the result server understands. Fields are ended
// by the separator; there is no other framing.
namespace tarvik {

// The best time of one test, as the sender keeps it.
struct BestTime {
    std::int16_t test = 0;
    double seconds = 0;
};

// What a SUBMIT carries, in the sender's own terms.
struct SubmitFields {
    std::string submitter;
    std::string description;
    // The processor record as the sender keeps it: its text form, which
    // already ends with a separator (see recordText), or empty.
    std::string processorRecord;
    // The processor's clock text and specification the checksums are made from.
    std::string processorClock;
    std::string processorSpecification;
    int threads = 0;
    std::vector<BestTime> times;
    // Writes the times and reads the clock text, in the sender's locale.
    char decimalSeparator = '.';
};

// SUBMIT: submitter, description, the processor record, the thread count,
// then for every time in the order given: the test number, the time brought
// to three decimals and the checksum of that three-decimal time.
//
// Throws Fault when a checksum cannot be made (no processor specification, a
// clock text that is not a number).
std::string buildSubmit(const SubmitFields &fields);

// GET: asks for the stored result with the id `id`.
std::string buildGet(const std::string &id);

// The bytes of a message as read, every field ended by the separator: what
// the reader takes back.
std::string messageBytes(const SubmitMessage &message);
std::string messageBytes(const GetMessage &message);

} // namespace tarvik
