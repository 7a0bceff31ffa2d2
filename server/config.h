#pragma once
// Server settings: built-in defaults, then a configuration file of
// "key = value" lines, then command-line options "--key value" or
// "--key=value" with the same keys. Later sources win.
#include <cstdint>
#include <string>
#include <vector>

namespace molan::server {

struct ServerConfig {
  std::string listen = "127.0.0.1";
  int port = 7365;                      // 0 picks a free port (printed at start)
  std::string dataDir = "molan-data";   // database, published clients
  std::string languages = "chi_sim+eng";
  std::string tessdata;                 // empty: the engine's built-in folder
  int workers = 2;                      // recognition threads, one engine each
  int queue = 8;                        // recognitions waiting beyond the running ones
  int accountWorkers = 1;               // password hashing threads
  int accountQueue = 64;
  int personalFree = 5;
  int publicFree = 200;
  int startingBalance = 20;
  int costs[4] = {2, 4, 6, 8};          // in the order of kRecognitionKinds
  int machineLimit = 3;                 // accounts registered from one machine code
  bool registrationPaused = false;
  std::string announcement;             // file with the announcement text
  std::string announcementCharset = "utf-8";  // of that file: utf-8 or gbk
  std::string clientVersion;            // pushed version when nothing was published
  std::string clientFile;
  bool clientForced = false;
  int chunkSize = 65536;                // bytes of the client per download chunk
  unsigned long long hashOps = 2;       // argon2id passes
  int hashMemKib = 65536;               // argon2id memory
  int maxConnections = 512;
  int maxPicturePixels = 40000000;
  int verifiedMinutes = 10;             // a passed security check allows a new password this long
};

// Applies one "key" = "value"; false with a message for an unknown key or a
// value that does not fit.
bool applySetting(ServerConfig& config, const std::string& key, const std::string& value, std::string* error);

// Reads a configuration file: blank lines and lines starting with '#' are
// skipped; every other line is key = value.
bool loadConfigFile(ServerConfig& config, const std::string& path, std::string* error);

// Applies command-line options; "--config FILE" loads a file at that point.
bool applyArguments(ServerConfig& config, const std::vector<std::string>& args, std::string* error);

// The options text shown by --help.
std::string configHelp();

}  // namespace molan::server
