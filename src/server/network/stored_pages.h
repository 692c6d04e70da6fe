#pragma once

#include "http/http_request.h"
#include "http/http_response.h"

#include <string>

namespace tarvik::server {

class ResultStore;

// The pages read from the database: the leaderboard "/", its data
// "/api/results" and the result page "/score.cgi?id=". They run on the page
// readers' threads, each with a database connection of its own.
bool isStoredPage(const std::string &path);
http::Response readPage(const http::Request &request, ResultStore &store);

} // namespace tarvik::server
