#include "tools/script_server/recorder.h"

#include <sys/stat.h>

#include <cstdio>

namespace molan::script {

Recorder::Recorder(std::string dir) : dir_(std::move(dir)) {
  mkdir(dir_.c_str(), 0755);
  log_ = std::fopen((dir_ + "/events.log").c_str(), "ab");
}

Recorder::~Recorder() {
  if (log_) std::fclose(log_);
}

void Recorder::frame(BytesView plain, unsigned conn) {
  char name[16];
  std::snprintf(name, sizeof name, "%04u", ++frames_);
  const std::string temporary = dir_ + "/." + name + ".partial";
  const std::string final = dir_ + "/" + name + ".frame";
  if (std::FILE* f = std::fopen(temporary.c_str(), "wb")) {
    const bool written = std::fwrite(plain.data(), 1, plain.size(), f) == plain.size();
    if (std::fclose(f) == 0 && written) std::rename(temporary.c_str(), final.c_str());
  }
  line(std::string("frame ") + name + " " + std::to_string(conn));
}

void Recorder::event(const char* what, unsigned conn) { line(std::string(what) + " " + std::to_string(conn)); }

void Recorder::line(const std::string& text) {
  if (!log_) return;
  std::fputs((text + "\n").c_str(), log_);
  std::fflush(log_);
}

}  // namespace molan::script
