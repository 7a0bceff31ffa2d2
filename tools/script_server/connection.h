#pragma once
// One client connection of molan-script-server: its socket, its pack decoder,
// the bytes waiting to be written and the scenario actions waiting to run.
// Connections are independent: each counts its own rule uses, and a delay in
// one never holds up another.
#include <cstdint>
#include <deque>
#include <map>
#include <optional>

#include "link/bytes.h"
#include "netlib/pack_codec.h"
#include "tools/script_server/recorder.h"
#include "tools/script_server/scenario.h"

namespace molan::script {

// Milliseconds of the monotonic clock.
using Millis = int64_t;
Millis monotonicMillis();

class Connection {
 public:
  Connection(int fd, unsigned id, const Scenario& scenario, Recorder& recorder);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  int fd() const { return fd_; }
  unsigned id() const { return id_; }
  bool open() const { return fd_ >= 0; }
  bool wantsWrite() const { return !out_.empty(); }
  // When the next delayed action is due (nothing when none waits).
  std::optional<Millis> nextDue() const;

  void queue(const Rule& rule);          // appends a rule's actions
  void push(BytesView plainFrame);       // sends a pushed frame now, enciphered
  void onReadable();                     // reads, records and answers requests
  void onWritable();                     // writes what is pending
  void runDue(Millis now);          // runs the actions whose time has come
  void close();                          // closes now and logs "close <id>"

 private:
  int fd_;
  unsigned id_;
  const Scenario& scenario_;
  Recorder& recorder_;
  PackDecoder decoder_{kPackLengthLimit};
  std::map<Bytes, size_t> uses_;  // requests seen per command
  std::deque<const Action*> pending_;
  Millis readyAt_ = 0;
  Bytes out_;
  bool closeWhenWritten_ = false;
};

}  // namespace molan::script
