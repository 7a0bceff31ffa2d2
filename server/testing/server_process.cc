#include "server/testing/server_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace molan::server::testing {

const char* serverBinary() { return MOLAN_SERVER_BINARY; }

std::string makeTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "molan-server-test-XXXXXX").string();
  return mkdtemp(pattern.data()) ? pattern : std::string();
}

namespace {

pid_t spawn(const std::vector<std::string>& args, const std::string& stderrPath) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  if (!stderrPath.empty()) {
    FILE* f = std::freopen(stderrPath.c_str(), "w", stderr);
    (void)f;
  }
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

int waitFor(pid_t pid, int seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return -1;
}

}  // namespace

ServerProcess::ServerProcess(const std::vector<std::string>& options) {
  dataDir_ = makeTempDir();
  logPath_ = dataDir_ + "/server.log";
  std::vector<std::string> args = {serverBinary(), "--data", dataDir_, "--port", "0", "--workers", "1",
                                   "--hash-ops", "1", "--hash-mem-kib", "64"};
  args.insert(args.end(), options.begin(), options.end());
  pid_ = spawn(args, logPath_);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (std::chrono::steady_clock::now() < deadline) {
    const std::string text = log();
    const auto at = text.find("listening on ");
    const auto nl = at == std::string::npos ? std::string::npos : text.find(' ', text.find(':', at) + 1);
    if (nl != std::string::npos) {
      port_ = std::atoi(text.c_str() + text.find(':', at) + 1);
      return;
    }
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

ServerProcess::~ServerProcess() {
  terminate();
  std::error_code ec;
  if (!dataDir_.empty()) std::filesystem::remove_all(dataDir_, ec);
}

std::string ServerProcess::log() const {
  std::ifstream in(logPath_);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

int ServerProcess::admin(const std::vector<std::string>& args) const {
  std::vector<std::string> all = {serverBinary(), "admin", "--data", dataDir_, "--hash-ops", "1", "--hash-mem-kib", "64"};
  all.insert(all.end(), args.begin(), args.end());
  const pid_t pid = spawn(all, dataDir_ + "/admin.log");
  return waitFor(pid, 60);
}

int ServerProcess::terminate() {
  if (pid_ <= 0) return -1;
  kill(pid_, SIGTERM);
  const int status = waitFor(pid_, 60);
  if (status == -1) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  pid_ = -1;
  port_ = 0;
  return status;
}

}  // namespace molan::server::testing
