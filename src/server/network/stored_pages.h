#pragma once

#include "http/http_request.h"
#include "http/http_response.h"

#include <string>

namespace tarvik::server {

class PageStores;

// The pages read from the database: the leaderboard "/", its data
// "/api/results", a submitter's or a machine's history "/history?name=",
// the result page "/score.cgi?id=", a processor's page "/processor?name=",
// the comparison "/compare?ids=", a result's card "/score.svg?id=" and a
// submission's
// management page "/manage", whose form posts change the submission. They
// run on the page readers' threads, each with database connections of its
// own; the management page reads and writes the primary, the others may come
// from a hot standby.
bool isStoredPage(const std::string &path);
// The stored pages that read the same for every visitor, and so may be
// answered from one render: all but the result page and the management page.
bool isSharedPage(const std::string &path);
http::Response readPage(const http::Request &request, PageStores &stores);

} // namespace tarvik::server
