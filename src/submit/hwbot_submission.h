#pragma once

#include "submit/hwbot_page.h"
#include "submit/submit_console.h"
#include "submit/url_opener.h"

#include <QString>

#include <cstdint>
#include <string>

namespace tarvik::submit {

// The version HWBOT knows this client by ("1.55").
std::string programVersion();

// Where the HWBOT pages go: a "Tarvik" folder in the user's download
// folder, created on first use. Browsers packaged in a sandbox can read it,
// unlike the temporary folder or a hidden folder.
QString pagesFolder();

// Writes the page for test `test` around the form `hwbot_string`
// ("submission6.htm", replacing an earlier one), prints where it is, and
// opens it in the default browser, which posts the form. A sandboxed browser
// may refuse the file without telling, so the path is always printed.
// Throws Fault when the page cannot be written.
void submit_url(const std::string &hwbot_string, std::int16_t test, SubmitConsole &console, const UrlOpener &openUrl);

// Builds the form of `score` for the HWBOT address `action` and submits it
// with submit_url. Throws Fault when the page cannot be made or written.
void submitToHwbot(const HwbotScore &score, const HwbotContext &context, const std::string &action,
                   SubmitConsole &console, const UrlOpener &openUrl);

} // namespace tarvik::submit
