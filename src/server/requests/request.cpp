#include "requests/request.h"

#include <algorithm>
#include <cctype>

namespace tarvik::server {

namespace {

// Ids are positive and fit a 32-bit signed number, the range the program keeps them in.
constexpr std::int64_t LargestId = 2147483647;

Request getRequest(const GetMessage &message)
{
    const std::string &id = message.id;
    const bool digits = !id.empty() && id.size() <= 10 &&
                        std::all_of(id.begin(), id.end(), [](unsigned char c) { return std::isdigit(c); });
    const std::int64_t value = digits ? std::stoll(id) : 0;
    if (value < 1 || value > LargestId)
        return MessageError{false, "the result id is not a whole number from 1 to 2147483647"};
    return GetRequest{value};
}

Request submitRequest(SubmitMessage message)
{
    auto checked = checkSubmission(message);
    if (auto *error = std::get_if<MessageError>(&checked))
        return *error;
    return SubmitRequest{std::move(message), std::get<CheckedSubmission>(std::move(checked))};
}

} // namespace

Request interpretMessage(const std::string &bytes)
{
    return interpretMessage(parseMessage(bytes));
}

Request interpretMessage(ParsedMessage parsed)
{
    if (auto *get = std::get_if<GetMessage>(&parsed))
        return getRequest(*get);
    if (auto *submit = std::get_if<SubmitMessage>(&parsed))
        return submitRequest(std::move(*submit));
    return std::get<MessageError>(parsed);
}

} // namespace tarvik::server
