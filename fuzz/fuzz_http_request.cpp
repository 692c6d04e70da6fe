// The web side's request reader. The input is what a client sends; the first
// byte also picks the sizes of the pieces it arrives in.

#include "fuzz_check.h"
#include "http/http_request.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace tarvik::server::http;

namespace {

// Small enough that inputs of libFuzzer's usual length reach them.
constexpr std::size_t MaxHeadBytes = 1024;
constexpr std::size_t MaxBodyBytes = 256;

void checkRequest(const Request &request)
{
    require(request.target.starts_with('/'), "a target is a path");
    require(request.target.find_first_of(std::string_view(" \t\r\n\0", 5)) == std::string::npos,
            "a target holds no blank, line end or NUL");
    require(!request.method.empty() && request.method.find_first_of(" :/") == std::string::npos, "a method is a token");
    require(request.path.size() <= request.target.size(), "decoding never lengthens the path");
}

void checkRefusal(const Refusal &refusal)
{
    const int status = refusal.status;
    require(status == 400 || status == 413 || status == 414 || status == 431 || status == 501 || status == 505,
            "a refusal has one of the statuses the reader gives");
    require(!refusal.reason.empty(), "a refusal says why");
}

// Takes every result there is now, up to the first Incomplete, and checks
// each on its own.
void drain(RequestReader &reader, std::vector<ReadResult> &results)
{
    for (ReadResult result = reader.next(); !std::holds_alternative<Incomplete>(result); result = reader.next()) {
        if (const auto *request = std::get_if<Request>(&result))
            checkRequest(*request);
        if (const auto *refusal = std::get_if<Refusal>(&result)) {
            checkRefusal(*refusal);
            require(!reader.hasPending(), "nothing is pending after a refusal");
            require(std::holds_alternative<Incomplete>(reader.next()), "a refused reader gives nothing more");
        }
        results.push_back(std::move(result));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    RequestReader whole(MaxHeadBytes, MaxBodyBytes);
    whole.feed(bytes);
    std::vector<ReadResult> wholeResults;
    drain(whole, wholeResults);

    // Fed in pieces of 1 to 32 bytes, the reader gives the same results in the same order.
    RequestReader pieces(MaxHeadBytes, MaxBodyBytes);
    std::vector<ReadResult> pieceResults;
    std::uint32_t state = (size > 0 ? data[0] : 0) | 1u;
    for (std::size_t at = 0; at < bytes.size();) {
        state = state * 1103515245u + 12345u;
        const std::size_t length = 1 + (state >> 16) % 32;
        pieces.feed(bytes.substr(at, length));
        at += length;
        drain(pieces, pieceResults);
    }
    require(pieceResults == wholeResults, "pieces and whole bytes give the same results");
    require(pieces.hasPending() == whole.hasPending(), "pieces and whole bytes leave the same bytes pending");
    return 0;
}
