#pragma once
// Whole-file reads and replacements, behind a small interface so tests can
// inject failures. Paths are GBK text.
#include <optional>

#include "link/bytes.h"

namespace molan {

class FileStore {
 public:
  virtual ~FileStore() = default;
  // The file's bytes; nullopt when it is missing or cannot be read.
  virtual std::optional<Bytes> readFile(BytesView path) = 0;
  // Replaces the whole file through a temporary file beside it, so a crash
  // leaves either the old or the new content, never a mix.
  virtual bool replaceFile(BytesView path, BytesView bytes) = 0;
};

// The platform's file store (Win32 in the client, POSIX natively).
FileStore& platformFileStore();

}  // namespace molan
