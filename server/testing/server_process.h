#pragma once
// A real molan-server process for protocol tests: its own temporary data
// folder, a free port, stderr captured in a file (the request log).
#include <sys/types.h>

#include <string>
#include <vector>

namespace molan::server::testing {

class ServerProcess {
 public:
  // Starts the server with a fast password hash, port 0 and `options`
  // ("--key", "value", ...), and waits until it listens.
  explicit ServerProcess(const std::vector<std::string>& options = {});
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  bool running() const { return port_ > 0; }
  int port() const { return port_; }
  const std::string& dataDir() const { return dataDir_; }
  std::string log() const;
  // Runs "molan-server admin --data <dir> args..."; its exit status.
  int admin(const std::vector<std::string>& args) const;
  // SIGTERM, then the exit status (or -1 when it did not end in 60 s).
  int terminate();

 private:
  std::string dataDir_;
  std::string logPath_;
  pid_t pid_ = -1;
  int port_ = 0;
};

// The molan-server binary under test.
const char* serverBinary();
// A folder that is removed with everything in it when the object dies.
std::string makeTempDir();

}  // namespace molan::server::testing
