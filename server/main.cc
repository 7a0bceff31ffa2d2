// molan-server: the reference recognition server. "molan-server [serve]
// [options]" serves; "molan-server admin ..." manages accounts and releases.
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "server/admin.h"
#include "server/server_main.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "admin") return molan::server::runAdmin({args.begin() + 1, args.end()});
  if (!args.empty() && args[0] == "serve") args.erase(args.begin());
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    std::cout << molan::server::serveHelp() << "\n" << molan::server::adminHelp();
    return 0;
  }
  // Tesseract's OpenMP reads its thread limit when the library loads, before
  // main: run every engine single-threaded by starting again with the limit set.
  const char* limit = std::getenv("OMP_THREAD_LIMIT");
  if (limit == nullptr || std::strcmp(limit, "1") != 0) {
    setenv("OMP_THREAD_LIMIT", "1", 1);
    execv("/proc/self/exe", argv);
  }
  return molan::server::serve(args);
}
