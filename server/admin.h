#pragma once
// "molan-server admin ...": account and release management on the data
// folder, safe to run while the server runs (SQLite in WAL mode).
#include <string>
#include <vector>

namespace molan::server {

// Runs one admin command; the exit status of the process.
int runAdmin(const std::vector<std::string>& args);
std::string adminHelp();

}  // namespace molan::server
