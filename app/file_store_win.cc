#include <windows.h>

#include "app/file_store.h"
#include "app/gbk_win.h"
#include "app/win_handles.h"

namespace molan {
namespace {

class WinFileStore : public FileStore {
 public:
  std::optional<Bytes> readFile(BytesView path) override {
    win::UniqueFile f(CreateFileW(win::toWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(f.get(), &size) || size.QuadPart > 0x7FFFFFFF) return std::nullopt;
    Bytes data(static_cast<size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!data.empty() && (!ReadFile(f.get(), data.data(), static_cast<DWORD>(data.size()), &got, nullptr) ||
                          got != data.size())) {
      return std::nullopt;
    }
    return data;
  }

  bool replaceFile(BytesView path, BytesView bytes) override {
    const std::wstring target = win::toWide(path);
    const std::wstring temp = target + L".tmp";
    {
      win::UniqueFile f(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!f) return false;
      DWORD written = 0;
      const bool ok = WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                      written == bytes.size() && FlushFileBuffers(f.get());
      if (!ok) {
        f.reset();
        DeleteFileW(temp.c_str());
        return false;
      }
    }
    if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      DeleteFileW(temp.c_str());
      return false;
    }
    return true;
  }
};

}  // namespace

FileStore& platformFileStore() {
  static WinFileStore store;
  return store;
}

}  // namespace molan
