#include "tools/script_server/connection.h"

#include <sys/socket.h>
#include <unistd.h>

#include <time.h>

#include <cerrno>

#include "link/link_cipher.h"

namespace molan::script {

Millis monotonicMillis() {
  timespec t = {};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<Millis>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

Connection::Connection(int fd, unsigned id, const Scenario& scenario, Recorder& recorder)
    : fd_(fd), id_(id), scenario_(scenario), recorder_(recorder) {
  recorder_.event("connect", id_);
}

Connection::~Connection() { close(); }

void Connection::close() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  pending_.clear();
  out_.clear();
  recorder_.event("close", id_);
}

std::optional<Millis> Connection::nextDue() const {
  if (pending_.empty()) return std::nullopt;
  return readyAt_;
}

void Connection::queue(const Rule& rule) {
  for (const auto& action : rule) pending_.push_back(&action);
}

void Connection::push(BytesView plainFrame) {
  if (open()) out_ += encodePack(LinkCipher::apply(plainFrame));
}

void Connection::onReadable() {
  char buffer[65536];
  for (;;) {
    const ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    if (n <= 0) return close();  // the peer closed, or the connection broke
    decoder_.feed(BytesView(buffer, static_cast<size_t>(n)));
    while (auto body = decoder_.next()) {
      const Bytes plain = LinkCipher::apply(*body);
      recorder_.frame(plain, id_);
      const Bytes command(requestCommand(plain));
      if (const Rule* rule = scenario_.ruleFor(command, uses_[command]++)) queue(*rule);
    }
    if (decoder_.failed()) {
      recorder_.event("bad-pack", id_);
      return close();
    }
  }
}

void Connection::runDue(Millis now) {
  while (open() && !pending_.empty() && now >= readyAt_) {
    const Action& action = *pending_.front();
    pending_.pop_front();
    switch (action.kind) {
      case ActionKind::kFrame:
        out_ += encodePack(LinkCipher::apply(action.bytes));
        break;
      case ActionKind::kRaw:
        out_ += action.bytes;
        break;
      case ActionKind::kDelay:
        readyAt_ = now + action.ms;
        break;
      case ActionKind::kClose:
        closeWhenWritten_ = true;
        pending_.clear();
        break;
    }
  }
  if (open() && out_.empty() && closeWhenWritten_) close();
}

void Connection::onWritable() {
  size_t written = 0;
  while (open() && written < out_.size()) {
    const ssize_t n = ::send(fd_, out_.data() + written, out_.size() - written, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    if (n < 0) return close();
    written += static_cast<size_t>(n);
  }
  out_.erase(0, written);
  if (open() && out_.empty() && closeWhenWritten_) close();
}

}  // namespace molan::script
