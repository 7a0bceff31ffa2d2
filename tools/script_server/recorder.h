#pragma once
// What molan-script-server received, for tests to read: every deciphered
// frame as DIR/NNNN.frame (numbered across all connections; written under a
// temporary name and renamed, so a reader never sees half a file) and one
// line per event in DIR/events.log, appended and flushed at once.
#include <cstdio>
#include <string>

#include "link/bytes.h"

namespace molan::script {

class Recorder {
 public:
  // Creates `dir` when missing. ok() is false when the log cannot be opened.
  explicit Recorder(std::string dir);
  ~Recorder();
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;
  bool ok() const { return log_ != nullptr; }

  // Writes the frame file, then logs "frame NNNN <conn>".
  void frame(BytesView plain, unsigned conn);
  // Logs "<what> <conn>": connect, close, bad-pack.
  void event(const char* what, unsigned conn);

 private:
  void line(const std::string& text);

  std::string dir_;
  std::FILE* log_ = nullptr;
  unsigned frames_ = 0;
};

}  // namespace molan::script
