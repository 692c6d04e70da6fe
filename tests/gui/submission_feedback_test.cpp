// The text of the box that ends a submission from the front end.
#include "gui/submission_feedback.h"

#include <gtest/gtest.h>

using tarvik::gui::SubmissionOutcome;
using tarvik::gui::submissionFeedback;

namespace {

TEST(SubmissionFeedback, SaysWhatCameBackWhereToSeeItAndWhatIsLeftToDoByHand)
{
    struct Case {
        const char *name;
        SubmissionOutcome outcome;
        std::string text;
    };
    const std::string folder = "file:///home/ann/Downloads/Tarvik";
    const Case cases[] = {
        {"nothing happened", {}, ""},
        {"a direct submission with its result pages and the HWBOT pages",
         {"6 - result id = 77\r\n", {"32M: http://s/score.cgi?id=77"}, "", folder, false},
         "6 - result id = 77\n\nYour results on the result server:\n32M: http://s/score.cgi?id=77\n\n"
         "The HWBOT submission pages are in this folder:\n" + folder},
        {"the browser hand-over found no browser",
         {"", {}, "http://s/submit.cgi?SendStr=SUBMIT%01Ann", folder, true},
         "No web browser could be started. To submit, open this address in your browser:\n"
         "http://s/submit.cgi?SendStr=SUBMIT%01Ann\n\n"
         "The HWBOT submission pages are in this folder:\n" + folder +
             "\nNo browser could be started for them: open them from there."},
        {"a refusal only", {"Unable to connect to server.", {}, "", "", false}, "Unable to connect to server."},
    };
    for (const Case &c : cases)
        EXPECT_EQ(submissionFeedback(c.outcome), c.text) << c.name;
}

} // namespace
