#include "gui/submission_feedback.h"

namespace tarvik::gui {

namespace {

void addParagraph(std::string &text, const std::string &paragraph)
{
    if (!text.empty())
        text += "\n\n";
    text += paragraph;
}

} // namespace

std::string submissionFeedback(const SubmissionOutcome &outcome)
{
    std::string text = outcome.reply;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    if (!outcome.resultPages.empty()) {
        std::string pages = "Your results on the result server:";
        for (const std::string &page : outcome.resultPages)
            pages += "\n" + page;
        addParagraph(text, pages);
    }
    if (!outcome.unopenedSubmission.empty())
        addParagraph(text, "No web browser could be started. To submit, open this address in your browser:\n" +
                               outcome.unopenedSubmission);
    if (!outcome.pagesFolder.empty()) {
        std::string pages = "The HWBOT submission pages are in this folder:\n" + outcome.pagesFolder;
        if (outcome.pagesUnopened)
            pages += "\nNo browser could be started for them: open them from there.";
        addParagraph(text, pages);
    }
    return text;
}

} // namespace tarvik::gui
