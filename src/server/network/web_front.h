#pragma once

#include "network/server_limits.h"
#include "storage/database_settings.h"

#include <memory>
#include <string>
#include <thread>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace tarvik::server {

class DatabaseWorker;
class ResultStore;

// The HTTP side: the browser submission "/submit.cgi?SendStr=", the result
// page "/score.cgi?id=", the leaderboard "/" and its data "/api/results".
// Requests run on a fixed pool of threads, each reading through its own
// database connection; submissions go to the DatabaseWorker like those of
// the TCP side.
class WebFront {
public:
    WebFront(DatabaseWorker &database, DatabaseSettings settings, const ServerLimits &limits);
    ~WebFront();
    WebFront(const WebFront &) = delete;
    WebFront &operator=(const WebFront &) = delete;

    // Binds `address` and `port` (0: any free port) and serves on a thread of
    // its own. Gives the port, or -1 when it cannot be bound.
    int start(const std::string &address, int port);

private:
    void route();
    void showLeaderboard(const httplib::Request &request, httplib::Response &response);
    void showResultsJson(const httplib::Request &request, httplib::Response &response);
    void showScore(const httplib::Request &request, httplib::Response &response);
    void takeSubmission(const httplib::Request &request, httplib::Response &response);
    ResultStore &threadStore();

    DatabaseWorker &m_database;
    DatabaseSettings m_settings;
    ServerLimits m_limits;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
};

} // namespace tarvik::server
