#include "server/request_log.h"

#include <unistd.h>

#include <chrono>
#include <ctime>

#include "server/charset.h"

namespace molan::server {
namespace {

std::string timestamp() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&t, &local);
  char buf[40];
  const size_t n = std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local);
  std::snprintf(buf + n, sizeof buf - n, ".%03d", static_cast<int>(ms));
  return buf;
}

void writeLine(const std::string& line) {
  const std::string whole = line + "\n";
  size_t done = 0;
  while (done < whole.size()) {
    const ssize_t n = ::write(STDERR_FILENO, whole.data() + done, whole.size() - done);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

}  // namespace

void logRequest(uint64_t conn, BytesView command, BytesView status, long long ms) {
  writeLine(timestamp() + " conn=" + std::to_string(conn) + " " + printable(command) + " " + printable(status) + " " +
            std::to_string(ms) + "ms");
}

void logEvent(const std::string& text) { writeLine(timestamp() + " " + text); }

}  // namespace molan::server
