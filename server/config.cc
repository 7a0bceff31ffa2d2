#include "server/config.h"

#include <charconv>
#include <fstream>
#include <functional>
#include <map>

namespace molan::server {
namespace {

bool parseInt(const std::string& text, long long min, long long max, long long* out) {
  long long v = 0;
  const auto* end = text.data() + text.size();
  const auto [p, ec] = std::from_chars(text.data(), end, v);
  if (ec != std::errc() || p != end || v < min || v > max) return false;
  *out = v;
  return true;
}

bool parseBool(const std::string& text, bool* out) {
  if (text == "yes" || text == "true" || text == "1" || text == "on") {
    *out = true;
    return true;
  }
  if (text == "no" || text == "false" || text == "0" || text == "off") {
    *out = false;
    return true;
  }
  return false;
}

using Setter = std::function<bool(ServerConfig&, const std::string&)>;

Setter intSetter(int ServerConfig::*field, long long min, long long max) {
  return [=](ServerConfig& c, const std::string& v) {
    long long n = 0;
    if (!parseInt(v, min, max, &n)) return false;
    c.*field = static_cast<int>(n);
    return true;
  };
}

Setter textSetter(std::string ServerConfig::*field) {
  return [=](ServerConfig& c, const std::string& v) {
    c.*field = v;
    return true;
  };
}

Setter boolSetter(bool ServerConfig::*field) {
  return [=](ServerConfig& c, const std::string& v) { return parseBool(v, &(c.*field)); };
}

Setter costSetter(int index) {
  return [=](ServerConfig& c, const std::string& v) {
    long long n = 0;
    if (!parseInt(v, 0, 1000000, &n)) return false;
    c.costs[index] = static_cast<int>(n);
    return true;
  };
}

struct Option {
  Setter set;
  const char* help;
};

const std::map<std::string, Option>& options() {
  static const std::map<std::string, Option> table = {
      {"listen", {textSetter(&ServerConfig::listen), "IPv4 address to listen on (127.0.0.1)"}},
      {"port", {intSetter(&ServerConfig::port, 0, 65535), "TCP port, 0 for a free one (7365)"}},
      {"data", {textSetter(&ServerConfig::dataDir), "data folder: database and published clients (molan-data)"}},
      {"languages", {textSetter(&ServerConfig::languages), "Tesseract languages (chi_sim+eng)"}},
      {"tessdata", {textSetter(&ServerConfig::tessdata), "folder of the traineddata files (engine default)"}},
      {"workers", {intSetter(&ServerConfig::workers, 1, 64), "recognition threads, one engine each (2)"}},
      {"queue", {intSetter(&ServerConfig::queue, 0, 10000), "recognitions that may wait for a thread (8)"}},
      {"account-workers", {intSetter(&ServerConfig::accountWorkers, 1, 64), "password hashing threads (1)"}},
      {"account-queue", {intSetter(&ServerConfig::accountQueue, 0, 100000), "account requests that may wait (64)"}},
      {"personal-free", {intSetter(&ServerConfig::personalFree, 0, 1000000), "free recognitions per account and day (5)"}},
      {"public-free", {intSetter(&ServerConfig::publicFree, 0, 100000000), "free recognitions per day for all (200)"}},
      {"starting-balance", {intSetter(&ServerConfig::startingBalance, 0, 2147483647), "balance of a new account (20)"}},
      {"cost-standard", {costSetter(0), "cost of a standard recognition (2)"}},
      {"cost-standard-positions", {costSetter(1), "cost of a standard recognition with positions (4)"}},
      {"cost-accurate", {costSetter(2), "cost of an accurate recognition (6)"}},
      {"cost-accurate-positions", {costSetter(3), "cost of an accurate recognition with positions (8)"}},
      {"machine-limit", {intSetter(&ServerConfig::machineLimit, 0, 1000000), "accounts per machine code (3)"}},
      {"registration-paused", {boolSetter(&ServerConfig::registrationPaused), "refuse registrations (no)"}},
      {"announcement", {textSetter(&ServerConfig::announcement), "file holding the announcement"}},
      {"announcement-charset",
       {[](ServerConfig& c, const std::string& v) {
          if (v != "utf-8" && v != "gbk") return false;
          c.announcementCharset = v;
          return true;
        },
        "charset of the announcement file: utf-8 or gbk (utf-8)"}},
      {"client-version", {textSetter(&ServerConfig::clientVersion), "pushed client version when none is published"}},
      {"client-file", {textSetter(&ServerConfig::clientFile), "its executable"}},
      {"client-forced", {boolSetter(&ServerConfig::clientForced), "whether that update is forced (no)"}},
      {"chunk-size", {intSetter(&ServerConfig::chunkSize, 1, 4000000), "bytes per download chunk (65536)"}},
      {"hash-ops",
       {[](ServerConfig& c, const std::string& v) {
          long long n = 0;
          if (!parseInt(v, 1, 100, &n)) return false;
          c.hashOps = static_cast<unsigned long long>(n);
          return true;
        },
        "argon2id passes (2)"}},
      {"hash-mem-kib", {intSetter(&ServerConfig::hashMemKib, 8, 4194304), "argon2id memory in KiB (65536)"}},
      {"max-connections", {intSetter(&ServerConfig::maxConnections, 1, 100000), "open connections (512)"}},
      {"max-picture-pixels", {intSetter(&ServerConfig::maxPicturePixels, 1, 400000000), "largest picture (40000000)"}},
      {"verified-minutes", {intSetter(&ServerConfig::verifiedMinutes, 1, 1440), "new-password window after a security check (10)"}},
  };
  return table;
}

std::string trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return {};
  const auto e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

}  // namespace

bool applySetting(ServerConfig& config, const std::string& key, const std::string& value, std::string* error) {
  const auto it = options().find(key);
  if (it == options().end()) {
    if (error) *error = "unknown setting '" + key + "'";
    return false;
  }
  if (!it->second.set(config, value)) {
    if (error) *error = "bad value '" + value + "' for '" + key + "'";
    return false;
  }
  return true;
}

bool loadConfigFile(ServerConfig& config, const std::string& path, std::string* error) {
  std::ifstream in(path);
  if (!in) {
    if (error) *error = "cannot read configuration file " + path;
    return false;
  }
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    const std::string t = trim(line);
    if (t.empty() || t[0] == '#') continue;
    const auto eq = t.find('=');
    if (eq == std::string::npos) {
      if (error) *error = path + ":" + std::to_string(number) + ": expected key = value";
      return false;
    }
    std::string e;
    if (!applySetting(config, trim(t.substr(0, eq)), trim(t.substr(eq + 1)), &e)) {
      if (error) *error = path + ":" + std::to_string(number) + ": " + e;
      return false;
    }
  }
  return true;
}

bool applyArguments(ServerConfig& config, const std::vector<std::string>& args, std::string* error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) != 0) {
      if (error) *error = "unexpected argument '" + a + "'";
      return false;
    }
    std::string key = a.substr(2);
    std::string value;
    const auto eq = key.find('=');
    if (eq != std::string::npos) {
      value = key.substr(eq + 1);
      key = key.substr(0, eq);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      if (error) *error = "option " + a + " needs a value";
      return false;
    }
    const bool ok = key == "config" ? loadConfigFile(config, value, error) : applySetting(config, key, value, error);
    if (!ok) return false;
  }
  return true;
}

std::string configHelp() {
  std::string out = "  --config FILE                 read settings from FILE (key = value lines)\n";
  for (const auto& [key, option] : options()) {
    std::string left = "  --" + key + " VALUE";
    left.resize(32, ' ');
    out += left + option.help + "\n";
  }
  return out;
}

}  // namespace molan::server
