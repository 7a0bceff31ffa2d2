#pragma once
// The event loop of molan-script-server: one thread, poll() over the listening
// socket and every connection, delayed actions by their due time, and a look
// into the push folder every 50 ms.
#include <csignal>
#include <memory>
#include <string>
#include <vector>

#include "tools/script_server/connection.h"

namespace molan::script {

struct ServerOptions {
  std::string host = "127.0.0.1";
  unsigned port = 0;
  std::string pushDir;  // empty: no pushes
};

class ScriptServer {
 public:
  ScriptServer(const Scenario& scenario, Recorder& recorder) : scenario_(scenario), recorder_(recorder) {}
  ~ScriptServer();
  ScriptServer(const ScriptServer&) = delete;
  ScriptServer& operator=(const ScriptServer&) = delete;

  // Binds and listens; the bound port (the free one chosen for port 0), or 0
  // with `error` set.
  unsigned listen(const ServerOptions& options, std::string& error);
  // Serves until `stop` becomes non-zero.
  void run(const volatile std::sig_atomic_t& stop);

 private:
  void accept();
  void pushFiles();

  const Scenario& scenario_;
  Recorder& recorder_;
  std::string pushDir_;
  int listen_ = -1;
  unsigned nextId_ = 1;
  std::vector<std::unique_ptr<Connection>> connections_;
};

}  // namespace molan::script
