// The number a web query value gives (/score.cgi?id=, /api/results?page6=).
// The input is the value, checked against the two limits the server uses.

#include "fuzz_check.h"
#include "web/query_number.h"

#include <cstdint>
#include <string>

using namespace tarvik::server;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    for (const long long last : {1000000LL, 2147483647LL}) {
        const long long value = queryNumber(text, last);
        require(value >= 0 && value <= last, "the number lies in 0..last");
        if (value > 0) {
            // Only digits are taken, so the text is the number with its leading zeros.
            const std::string digits = std::to_string(value);
            require(text.size() >= digits.size() && text.ends_with(digits), "the number is the text's digits");
            require(text.find_first_not_of('0') == text.size() - digits.size(), "only zeros lead the digits");
        }
    }
    return 0;
}
