#include "server/server_loop.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "link/link_cipher.h"
#include "server/request.h"
#include "server/request_log.h"

namespace molan::server {
namespace {

constexpr uint64_t kListenTag = ~uint64_t{0};
constexpr uint64_t kCompletionTag = kListenTag - 1;
constexpr uint64_t kSignalTag = kListenTag - 2;

bool watch(int epoll, int fd, uint32_t events, uint64_t tag, int op = EPOLL_CTL_ADD) {
  epoll_event ev{};
  ev.events = events;
  ev.data.u64 = tag;
  return epoll_ctl(epoll, op, fd, &ev) == 0;
}

long long millisSince(std::chrono::steady_clock::time_point t) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t).count();
}

// Dead peers (a client that vanished without a FIN) are found by keep-alive,
// so the account they held is freed within minutes.
void keepAlive(int fd) {
  int on = 1, idle = 120, interval = 30, count = 4;
  setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
  setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
  setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
  setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count);
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

}  // namespace

ServerLoop::ServerLoop(const ServerConfig& config, ServiceContext& services, SessionRegistry& sessions,
                       CompletionQueue& completions)
    : config_(config), services_(services), sessions_(sessions), completions_(completions) {}

ServerLoop::~ServerLoop() {
  for (auto& [id, c] : connections_) {
    ::close(c->fd);
    sessions_.close(id);
  }
  if (listen_ >= 0) ::close(listen_);
  if (signals_ >= 0) ::close(signals_);
  if (epoll_ >= 0) ::close(epoll_);
}

bool ServerLoop::start(std::string* error) {
  auto fail = [error](const std::string& what) {
    if (error) *error = what + ": " + std::strerror(errno);
    return false;
  };
  epoll_ = epoll_create1(EPOLL_CLOEXEC);
  if (epoll_ < 0) return fail("epoll");
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<uint16_t>(config_.port));
  if (inet_pton(AF_INET, config_.listen.c_str(), &addr.sin_addr) != 1) {
    if (error) *error = "bad listen address " + config_.listen;
    return false;
  }
  listen_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (listen_ < 0) return fail("socket");
  int on = 1;
  setsockopt(listen_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (bind(listen_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) return fail("bind " + config_.listen);
  if (::listen(listen_, 128) != 0) return fail("listen");
  socklen_t len = sizeof addr;
  getsockname(listen_, reinterpret_cast<sockaddr*>(&addr), &len);
  port_ = ntohs(addr.sin_port);

  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  signals_ = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
  if (signals_ < 0) return fail("signalfd");
  if (!watch(epoll_, listen_, EPOLLIN, kListenTag) || !watch(epoll_, completions_.fd(), EPOLLIN, kCompletionTag) ||
      !watch(epoll_, signals_, EPOLLIN, kSignalTag)) {
    return fail("epoll_ctl");
  }
  return true;
}

void ServerLoop::run(int drainSeconds) {
  std::chrono::steady_clock::time_point deadline{};
  epoll_event events[64];
  for (;;) {
    if (draining_ && (idle() || std::chrono::steady_clock::now() >= deadline)) break;
    const int n = epoll_wait(epoll_, events, 64, draining_ ? 100 : -1);
    if (n < 0 && errno != EINTR) break;
    for (int i = 0; i < n; ++i) {
      const uint64_t tag = events[i].data.u64;
      if (tag == kListenTag) {
        acceptAll();
      } else if (tag == kCompletionTag) {
        for (auto& f : completions_.take()) onFinished(std::move(f));
      } else if (tag == kSignalTag) {
        signalfd_siginfo info{};
        while (::read(signals_, &info, sizeof info) == sizeof info) {
        }
        if (!draining_) {
          logEvent("stopping: no new connections or requests; finishing what is in flight");
          draining_ = true;
          deadline = std::chrono::steady_clock::now() + std::chrono::seconds(drainSeconds);
          epoll_ctl(epoll_, EPOLL_CTL_DEL, listen_, nullptr);
          ::close(listen_);
          listen_ = -1;
          for (auto& [id, c] : connections_) updateInterest(*c);
        }
      } else if (auto it = connections_.find(tag); it != connections_.end()) {
        Connection& c = *it->second;
        if (c.closing) continue;
        if (events[i].events & (EPOLLHUP | EPOLLERR)) {
          markClosing(c, "hang-up");
          continue;
        }
        if (events[i].events & EPOLLIN) onReadable(c);
        if (!c.closing && (events[i].events & EPOLLOUT)) writeOut(c);
      }
    }
    closeMarked();
  }
  for (auto& [id, c] : connections_) markClosing(*c, "server stopping");
  closeMarked();
}

bool ServerLoop::idle() const {
  for (const auto& [id, c] : connections_) {
    if (!c->pending.empty() || c->unsent() > 0) return false;
  }
  return true;
}

void ServerLoop::acceptAll() {
  for (;;) {
    const int fd = accept4(listen_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    if (connections_.size() >= static_cast<size_t>(config_.maxConnections)) {
      ::close(fd);
      logEvent("refused a connection: " + std::to_string(connections_.size()) + " open");
      continue;
    }
    keepAlive(fd);
    const uint64_t id = nextId_++;
    if (!watch(epoll_, fd, EPOLLIN, id)) {
      ::close(fd);
      continue;
    }
    connections_.emplace(id, std::make_unique<Connection>(id, fd));
    sessions_.open(id);
  }
}

bool ServerLoop::mayRead(const Connection& c) const {
  return !draining_ && !c.closing && c.pending.size() < kMaxPendingReplies && c.unsent() < kMaxUnsentBytes;
}

// Reads a bounded number of chunks per wake-up (fairness between clients) and
// hands over requests as they complete, so a flood of packs stops at the
// pending limit instead of piling up in the decoder.
void ServerLoop::onReadable(Connection& c) {
  char buf[65536];
  for (int round = 0; round < 16 && mayRead(c); ++round) {
    const ssize_t n = ::recv(c.fd, buf, sizeof buf, 0);
    if (n > 0) {
      if (!c.decoder.feed(BytesView(buf, static_cast<size_t>(n)))) return markClosing(c, "bad pack header");
      takeRequests(c);
      continue;
    }
    if (n == 0) return markClosing(c, "closed by peer");
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) return markClosing(c, "receive failed");
    break;
  }
  updateInterest(c);
}

// Takes whole packs from the decoder while the connection may owe more.
void ServerLoop::takeRequests(Connection& c) {
  while (mayRead(c)) {
    auto body = c.decoder.next();
    if (!body) break;
    LinkCipher::applyInPlace(body->data(), body->size());
    auto request = parseRequest(*body);
    if (!request) {
      logRequest(c.id, "?", "unknown frame, no reply", 0);
      continue;
    }
    const uint64_t seq = c.nextSeq++;
    PendingReply slot;
    slot.seq = seq;
    slot.command = request->name;
    slot.received = std::chrono::steady_clock::now();
    c.pending.push_back(std::move(slot));
    handleRequest(services_, *request, ReplySink(&completions_, c.id, seq));
  }
  updateInterest(c);
}

void ServerLoop::onFinished(Finished f) {
  const auto it = connections_.find(f.conn);
  if (it == connections_.end() || it->second->closing) return;  // the client has gone
  Connection& c = *it->second;
  for (auto& slot : c.pending) {
    if (slot.seq != f.seq) continue;
    slot.done = true;
    slot.frames = std::move(f.frames);
    slot.status = std::move(f.status);
    break;
  }
  flush(c);
}

// Moves every finished reply at the front of the queue into the output.
void ServerLoop::flush(Connection& c) {
  while (!c.pending.empty() && c.pending.front().done) {
    PendingReply& slot = c.pending.front();
    for (auto& frame : slot.frames) {
      LinkCipher::applyInPlace(frame.data(), frame.size());
      c.out += encodePack(frame);
    }
    logRequest(c.id, slot.command, slot.status, millisSince(slot.received));
    c.pending.pop_front();
  }
  writeOut(c);
  if (!c.closing) takeRequests(c);
}

void ServerLoop::writeOut(Connection& c) {
  while (c.unsent() > 0) {
    const ssize_t n = ::send(c.fd, c.out.data() + c.outSent, c.unsent(), MSG_NOSIGNAL);
    if (n > 0) {
      c.outSent += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    return markClosing(c, "send failed");
  }
  if (c.outSent == c.out.size()) {
    c.out.clear();
    c.outSent = 0;
  } else if (c.outSent > c.out.size() / 2) {
    c.out.erase(0, c.outSent);
    c.outSent = 0;
  }
  updateInterest(c);
}

void ServerLoop::updateInterest(Connection& c) {
  if (c.closing) return;
  const bool read = mayRead(c);
  const bool write = c.unsent() > 0;
  if (read == c.reading && write == c.writing) return;
  c.reading = read;
  c.writing = write;
  watch(epoll_, c.fd, (read ? EPOLLIN : 0u) | (write ? EPOLLOUT : 0u), c.id, EPOLL_CTL_MOD);
}

void ServerLoop::markClosing(Connection& c, const char* why) {
  if (c.closing) return;
  c.closing = true;
  toClose_.push_back(c.id);
  logEvent("conn=" + std::to_string(c.id) + " closed: " + why);
}

void ServerLoop::closeMarked() {
  for (const uint64_t id : toClose_) {
    const auto it = connections_.find(id);
    if (it == connections_.end()) continue;
    epoll_ctl(epoll_, EPOLL_CTL_DEL, it->second->fd, nullptr);
    ::close(it->second->fd);
    sessions_.close(id);
    connections_.erase(it);
  }
  toClose_.clear();
}

}  // namespace molan::server
