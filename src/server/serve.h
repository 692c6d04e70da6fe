#pragma once

#include "server_options.h"

namespace tarvik::server {

// Serves the TCP and HTTP sides until SIGTERM or SIGINT; gives the exit status.
int serve(const ServerOptions &options);

} // namespace tarvik::server
