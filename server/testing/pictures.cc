#include "server/testing/pictures.h"

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "server/testing/server_process.h"

namespace molan::server::testing {

Bytes renderPicture(int width, int height, int pointSize, const std::vector<TextRow>& rows, const std::string& format) {
  const std::string dir = makeTempDir();
  const std::string path = dir + "/picture." + format;
  std::vector<std::string> args = {"convert", "-size", std::to_string(width) + "x" + std::to_string(height),
                                   "xc:white", "-font", "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
                                   "-pointsize", std::to_string(pointSize), "-fill", "black"};
  for (const auto& row : rows) {
    args.insert(args.end(), {"-annotate", "+" + std::to_string(row.x) + "+" + std::to_string(row.y), row.utf8});
  }
  args.push_back("-type");
  args.push_back("TrueColor");
  args.push_back(path);
  Bytes bytes;
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execvp("convert", argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return bytes;
}

}  // namespace molan::server::testing
