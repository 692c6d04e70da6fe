#pragma once

#include "foundation/url_text.h"

#include <cstdint>
#include <string>

// A submission handed to the web browser: the result server's web page
// "/submit.cgi" receives the whole SUBMIT message as the query value
// "SendStr".
namespace tarvik::submit {

// "<web>/submit.cgi?SendStr=<message, percent-encoded>".
std::string browserSubmissionUrl(const std::string &webAddress, const std::string &message);

// "<web>/score.cgi?id=<id>": the page of one stored result.
std::string scorePageUrl(const std::string &webAddress, std::int32_t id);

} // namespace tarvik::submit
