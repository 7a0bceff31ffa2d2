#include "tools/script_server/scenario.h"

#include <charconv>
#include <fstream>
#include <sstream>

#include "link/frame.h"
#include "tools/script_server/script_text.h"

namespace molan::script {
namespace {

constexpr BytesView kBlanks = " \t";
constexpr size_t kMaxGarbage = 16 * 1024 * 1024;

BytesView trim(BytesView s) {
  const size_t begin = s.find_first_not_of(kBlanks);
  if (begin == BytesView::npos) return {};
  return s.substr(begin, s.find_last_not_of(kBlanks) - begin + 1);
}

std::optional<uint32_t> parseCount(BytesView s) {
  uint32_t value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size() || s.empty()) return std::nullopt;
  return value;
}

std::optional<Bytes> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

// Deterministic filler for "garbage": the same scenario sends the same bytes.
Bytes garbage(size_t n, uint32_t seed) {
  Bytes out(n, '\0');
  uint32_t x = seed * 2654435761u + 1;
  for (auto& c : out) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    c = static_cast<char>(x & 0xFF);
  }
  return out;
}

class Parser {
 public:
  Parser(const std::string& baseDir, std::string& error) : baseDir_(baseDir), error_(error) {}

  bool line(size_t number, BytesView directive, BytesView arg) {
    number_ = number;
    if (directive == "rule") {
      auto command = scenarioText(arg);
      if (!command || command->empty()) return fail("rule needs a command (UTF-8 text)");
      auto& list = scenario_.rules[*command];
      list.emplace_back();
      current_ = &list.back();
      return true;
    }
    if (directive == "on-connect") {
      if (!arg.empty()) return fail("on-connect takes no argument");
      scenario_.onConnect.emplace_back();
      current_ = &scenario_.onConnect.back();
      return true;
    }
    if (!current_) return fail("an action before the first rule or on-connect");
    return action(directive, arg);
  }

  Scenario take() { return std::move(scenario_); }

 private:
  bool action(BytesView directive, BytesView arg) {
    Action a;
    if (directive == "reply") {
      auto text = scenarioText(arg);
      if (!text || text->empty() || text->size() > kMaxPackSize) return fail("reply needs text that converts to GBK");
      a.bytes = std::move(*text);
    } else if (directive == "reply-file") {
      std::string path(arg);
      if (!path.empty() && path[0] != '/') path = baseDir_ + "/" + path;
      auto bytes = arg.empty() ? std::nullopt : readFile(path);
      if (!bytes) return fail("cannot read reply-file " + path);
      if (bytes->empty() || bytes->size() > kMaxPackSize) return fail("reply-file is empty or above the pack limit");
      a.bytes = std::move(*bytes);
    } else if (directive == "delay") {
      auto ms = parseCount(arg);
      if (!ms) return fail("delay needs milliseconds");
      a.kind = ActionKind::kDelay;
      a.ms = *ms;
    } else if (directive == "close" || directive == "bad-header" || directive == "zero-header") {
      if (!arg.empty()) return fail(std::string(directive) + " takes no argument");
      a.kind = directive == "close" ? ActionKind::kClose : ActionKind::kRaw;
      if (directive == "bad-header") a.bytes = Bytes("\x00\x00\x40\x00", 4);  // 0x3FFFFF + 1
      if (directive == "zero-header") a.bytes = Bytes(4, '\0');
    } else if (directive == "garbage") {
      auto n = parseCount(arg);
      if (!n || *n == 0 || *n > kMaxGarbage) return fail("garbage needs a byte count");
      a.kind = ActionKind::kRaw;
      a.bytes = garbage(*n, static_cast<uint32_t>(number_));
    } else if (directive == "raw-hex") {
      auto bytes = parseHex(arg);
      if (!bytes || bytes->empty()) return fail("raw-hex needs hex byte pairs");
      a.kind = ActionKind::kRaw;
      a.bytes = std::move(*bytes);
    } else {
      return fail("unknown directive " + std::string(directive));
    }
    current_->push_back(std::move(a));
    return true;
  }

  bool fail(const std::string& what) {
    error_ = "line " + std::to_string(number_) + ": " + what;
    return false;
  }

  const std::string& baseDir_;
  std::string& error_;
  Scenario scenario_;
  Rule* current_ = nullptr;  // stable: rules are only appended to the list being built
  size_t number_ = 0;
};

}  // namespace

std::optional<Scenario> parseScenario(BytesView text, const std::string& baseDir, std::string& error) {
  Parser parser(baseDir, error);
  size_t number = 0;
  while (!text.empty()) {
    ++number;
    const size_t end = text.find('\n');
    BytesView line = text.substr(0, end);
    text.remove_prefix(end == BytesView::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = trim(line);
    if (line.empty() || line[0] == '#') continue;
    const size_t space = line.find_first_of(kBlanks);
    const BytesView directive = line.substr(0, space);
    const BytesView arg = space == BytesView::npos ? BytesView() : trim(line.substr(space));
    if (!parser.line(number, directive, arg)) return std::nullopt;
  }
  return parser.take();
}

const Rule* Scenario::ruleFor(BytesView command, size_t use) const {
  const auto found = rules.find(Bytes(command));
  if (found == rules.end() || found->second.empty()) return nullptr;
  const auto& list = found->second;
  return &list[std::min(use, list.size() - 1)];
}

const Rule* Scenario::connectRule(size_t connection) const {
  if (onConnect.empty()) return nullptr;
  return &onConnect[std::min(connection, onConnect.size() - 1)];
}

BytesView requestCommand(BytesView frame) {
  size_t start = 0;
  for (int field = 0; field < 2; ++field) {
    const size_t sep = frame.find(kSeparator, start);
    if (sep == BytesView::npos) return {};
    start = sep + kSeparator.size();
  }
  const size_t end = frame.find(kSeparator, start);
  if (end == BytesView::npos) return {};
  return frame.substr(start, end - start);
}

}  // namespace molan::script
