#pragma once
// The scenario of molan-script-server: which actions answer which request,
// read from the scenario file (format in script_server_main.cc).
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "link/bytes.h"

namespace molan::script {

enum class ActionKind {
  kFrame,  // a plain frame, sent enciphered as one pack
  kRaw,    // bytes sent as they are (garbage, bad headers, raw-hex)
  kDelay,  // wait `ms` before the next action
  kClose,  // close the connection once everything before it is written
};

struct Action {
  ActionKind kind = ActionKind::kFrame;
  Bytes bytes;    // kFrame, kRaw
  uint32_t ms = 0;  // kDelay
  bool operator==(const Action&) const = default;
};

using Rule = std::vector<Action>;  // empty: no reply

struct Scenario {
  // Rules per request command (GBK), used in turn; the last one repeats.
  std::map<Bytes, std::vector<Rule>> rules;
  // Rules run when a client connects, one per connection in turn; the last repeats.
  std::vector<Rule> onConnect;

  // The rule for the `use`-th (0-based) request of `command`; null when none.
  const Rule* ruleFor(BytesView command, size_t use) const;
  const Rule* connectRule(size_t connection) const;
};

// Parses a scenario file's text. `baseDir` resolves relative reply-file paths.
// On failure returns nothing and sets `error` to "line N: what is wrong".
std::optional<Scenario> parseScenario(BytesView text, const std::string& baseDir, std::string& error);

// The request command of a frame: its third field (empty when it has none).
BytesView requestCommand(BytesView frame);

}  // namespace molan::script
