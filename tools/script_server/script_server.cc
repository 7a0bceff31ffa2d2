#include "tools/script_server/script_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace molan::script {
namespace {

constexpr Millis kPushInterval = 50;

void makeNonBlocking(int fd) { fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK); }

}  // namespace

ScriptServer::~ScriptServer() {
  connections_.clear();  // each logs its close
  if (listen_ >= 0) close(listen_);
}

unsigned ScriptServer::listen(const ServerOptions& options, std::string& error) {
  pushDir_ = options.pushDir;
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(options.port));
  if (options.port > 65535 || inet_pton(AF_INET, options.host.c_str(), &address.sin_addr) != 1) {
    error = "bad host or port";
    return 0;
  }
  listen_ = socket(AF_INET, SOCK_STREAM, 0);
  const int yes = 1;
  setsockopt(listen_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  if (listen_ < 0 || bind(listen_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listen_, 16) != 0) {
    error = "cannot listen on " + options.host + ":" + std::to_string(options.port);
    return 0;
  }
  makeNonBlocking(listen_);
  socklen_t size = sizeof address;
  getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &size);
  return ntohs(address.sin_port);
}

void ScriptServer::accept() {
  for (;;) {
    const int fd = ::accept(listen_, nullptr, nullptr);
    if (fd < 0) return;
    makeNonBlocking(fd);
    const int yes = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    const unsigned id = nextId_++;
    auto& conn = connections_.emplace_back(std::make_unique<Connection>(fd, id, scenario_, recorder_));
    if (const Rule* rule = scenario_.connectRule(id - 1)) conn->queue(*rule);
  }
}

// Sends each *.frame file of the push folder to every open connection, then
// deletes it. Files wait while no client is connected, so a push written
// before the client connects still reaches it. Writers should create the file
// under another name and rename it, so that it is never read half-written.
void ScriptServer::pushFiles() {
  if (pushDir_.empty() || connections_.empty()) return;
  std::error_code ec;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(pushDir_, ec))
    if (entry.path().extension() == ".frame" && entry.is_regular_file(ec)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    in.close();
    const Bytes frame = bytes.str();
    if (!frame.empty())
      for (auto& conn : connections_) conn->push(frame);
    std::filesystem::remove(file, ec);
  }
}

void ScriptServer::run(const volatile std::sig_atomic_t& stop) {
  Millis nextPush = monotonicMillis();
  while (!stop) {
    const Millis now = monotonicMillis();
    if (now >= nextPush) {
      pushFiles();
      nextPush = now + kPushInterval;
    }
    for (auto& conn : connections_) {
      conn->runDue(now);
      if (conn->wantsWrite()) conn->onWritable();
    }
    std::erase_if(connections_, [](const auto& c) { return !c->open(); });

    auto wake = nextPush;
    std::vector<pollfd> fds{{listen_, POLLIN, 0}};
    for (auto& conn : connections_) {
      fds.push_back({conn->fd(), static_cast<short>(POLLIN | (conn->wantsWrite() ? POLLOUT : 0)), 0});
      if (auto due = conn->nextDue()) wake = std::min(wake, *due);
    }
    const Millis wait = wake - monotonicMillis();
    if (poll(fds.data(), fds.size(), static_cast<int>(std::clamp<Millis>(wait, 0, kPushInterval))) <= 0) continue;
    if (fds[0].revents & POLLIN) accept();
    for (size_t i = 1; i < fds.size(); ++i) {
      Connection& conn = *connections_[i - 1];
      if (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) conn.onReadable();
      if (conn.open() && (fds[i].revents & POLLOUT)) conn.onWritable();
    }
  }
}

}  // namespace molan::script
