#pragma once
// The event loop: one thread, epoll over the listening socket, the client
// connections, the completion eventfd and a signalfd for SIGTERM/SIGINT.
// Requests are read, parsed and handed to the services; finished replies come
// back through the CompletionQueue and leave each connection in request
// order. Connections are closed only between event batches (never inside a
// handler), so no handler sees a record vanish under it.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "server/config.h"
#include "server/connection.h"
#include "server/reply_sink.h"
#include "server/services.h"

namespace molan::server {

class ServerLoop {
 public:
  ServerLoop(const ServerConfig& config, ServiceContext& services, SessionRegistry& sessions,
             CompletionQueue& completions);
  ~ServerLoop();
  ServerLoop(const ServerLoop&) = delete;
  ServerLoop& operator=(const ServerLoop&) = delete;

  // Binds and listens; SIGTERM and SIGINT must already be blocked in every
  // thread (the loop takes them through a signalfd).
  bool start(std::string* error);
  int port() const { return port_; }
  // Serves until SIGTERM or SIGINT, then stops accepting and reading, sends
  // what is in flight (up to `drainSeconds`) and closes every connection.
  void run(int drainSeconds = 30);

 private:
  void acceptAll();
  bool mayRead(const Connection& c) const;
  void onReadable(Connection& c);
  void takeRequests(Connection& c);
  void onFinished(Finished f);
  void flush(Connection& c);
  void writeOut(Connection& c);
  void updateInterest(Connection& c);
  void markClosing(Connection& c, const char* why);
  void closeMarked();
  bool idle() const;

  const ServerConfig& config_;
  ServiceContext& services_;
  SessionRegistry& sessions_;
  CompletionQueue& completions_;
  int epoll_ = -1;
  int listen_ = -1;
  int signals_ = -1;
  int port_ = 0;
  bool draining_ = false;
  uint64_t nextId_ = 1;
  std::unordered_map<uint64_t, std::unique_ptr<Connection>> connections_;
  std::vector<uint64_t> toClose_;
};

}  // namespace molan::server
