#include <cstdio>
#include <fstream>
#include <iterator>

#include "app/file_store.h"

namespace molan {
namespace {

class PosixFileStore : public FileStore {
 public:
  std::optional<Bytes> readFile(BytesView path) override {
    std::ifstream in{std::string(path), std::ios::binary};
    if (!in) return std::nullopt;
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  bool replaceFile(BytesView path, BytesView bytes) override {
    const std::string target(path);
    const std::string temp = target + ".tmp";
    {
      std::ofstream out(temp, std::ios::binary | std::ios::trunc);
      if (!out) return false;
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      out.flush();
      if (!out) {
        std::remove(temp.c_str());
        return false;
      }
    }
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
      std::remove(temp.c_str());
      return false;
    }
    return true;
  }
};

}  // namespace

FileStore& platformFileStore() {
  static PosixFileStore store;
  return store;
}

}  // namespace molan
