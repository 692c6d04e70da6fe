#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The lines the result server answers with, and the reading of a stored
// test's id from them. Every line ends with CR LF.
namespace tarvik::replies {

// "<test> - result id = <id>": the test was stored under `id`.
std::string resultIdLine(int test, std::int64_t id);
// "<test> - refused: <reason>", the test as sent.
std::string refusedTestLine(const std::string &test, const std::string &reason);
// "<test> - accepted (rules version <n>)": stored and ranked.
std::string acceptedTestLine(int test, int rulesVersion);
// "<test> - held for review: <reason>": stored, ranked once approved.
std::string heldTestLine(int test, const std::string &reason);
// "<test> - already stored as result <id> (<verdict>); not stored again".
std::string alreadyStoredLine(int test, std::int64_t id, const std::string &verdict);
// The address where the submission's own results can be hidden or deleted.
std::string managementLine(const std::string &address);
// A submitter who sent more submissions than the server takes a minute.
std::string tooManySubmissions(int perMinute);
// A SUBMIT that carried no test at all.
std::string nothingStored();

// A message the server will not take, with the reason.
std::string refused(const std::string &reason);
// "<label>: <value>", one line of a stored result's text.
std::string labelledLine(const std::string &label, const std::string &value);
std::string noSuchResult(const std::string &id);
std::string databaseUnavailable();
std::string databaseFull();
// The database took longer than a connection may last: a submission may
// still be stored once it answers.
std::string databaseSilent();
std::string busy();

// The id `reply` gives `test`: read from the first result id line of the
// test, by the leading-number rule up to the line's CR LF (the last line
// may lack it). A line counts only at the start of the reply or right after
// CR LF: "1 - result id = " also occurs inside "11 - result id = ". Nothing
// when no line names the test, or for an id of 0 or one that does not fit 32
// bits, the range ids are kept in.
std::optional<std::int32_t> resultId(const std::string &reply, int test);

// The text after the first `start` in `text`, up to the first `end` after
// it, or up to the end of `text` when no `end` follows; empty when `start`
// does not occur.
std::string textBetween(const std::string &text, const std::string &start, const std::string &end);

} // namespace tarvik::replies
