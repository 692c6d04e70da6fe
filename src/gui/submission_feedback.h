#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvik::gui {

// What became of one submission from the front end, as the user is told it.
struct SubmissionOutcome {
    std::string reply;                        // the server's text, or what went wrong; may be empty
    std::vector<std::string> resultPages;     // "32M: <address>" per result the server stored
    std::string unopenedSubmission;           // the browser hand-over the browser was not started for
    std::string pagesFolder;                  // where the HWBOT pages were written, empty for none
    bool pagesUnopened = false;               // a HWBOT page could not be handed to a browser
};

// The text of the "Submission" box: the reply first, then where the results
// can be seen, then what the user must do by hand. Addresses stand on their
// own, so that the box can offer them as links. Empty when there is nothing
// to tell.
std::string submissionFeedback(const SubmissionOutcome &outcome);

} // namespace tarvik::gui
