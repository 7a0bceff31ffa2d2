#pragma once
// Start-up and shut-down of the serving process.
#include <string>
#include <vector>

namespace molan::server {

// Reads the options, opens the store, loads one engine per worker, serves
// until SIGTERM/SIGINT and shuts down in order. The process exit status.
int serve(const std::vector<std::string>& args);
std::string serveHelp();

}  // namespace molan::server
