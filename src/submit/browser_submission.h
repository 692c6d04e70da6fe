#pragma once

#include <cstdint>
#include <string>

// A submission handed to the web browser: the result server's web page
// "/submit.cgi" receives the whole SUBMIT message as the query value
// "SendStr".
namespace tarvik::submit {

// Every byte except letters, digits and "-._~" as "%XX" (upper-case hex),
// so blanks, "&", "#", "+", the field separators and any other byte arrive
// as they were sent.
std::string percentEncoded(const std::string &bytes);

// "<web>/submit.cgi?SendStr=<message, percent-encoded>".
std::string browserSubmissionUrl(const std::string &webAddress, const std::string &message);

// "<web>/score.cgi?id=<id>": the page of one stored result.
std::string scorePageUrl(const std::string &webAddress, std::int32_t id);

} // namespace tarvik::submit
