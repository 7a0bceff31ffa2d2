#include "server/request.h"

#include <array>

#include "link/frame.h"
#include "recognition/recognition_kind.h"

namespace molan::server {
namespace {

struct CommandShape {
  BytesView name;
  Command command;
  size_t fields;
};

constexpr std::array<CommandShape, 8> kShapes = {{
    {"取推送版本号", Command::kPushedVersion, 0},
    {"取新版本客户端", Command::kNewClient, 0},
    {"注册账号", Command::kRegister, 5},
    {"登录", Command::kLogin, 3},
    {"安全验证", Command::kSecurityCheck, 3},
    {"设置新密码", Command::kNewPassword, 2},
    {"取公告", Command::kAnnouncement, 0},
    {"反馈留言", Command::kFeedback, 1},
}};

// Splits at every separator; `body` ends with one, so no empty rest remains.
std::vector<Bytes> splitFields(BytesView body) {
  std::vector<Bytes> out;
  size_t from = 0;
  while (from < body.size()) {
    const size_t at = body.find(kSeparator, from);
    if (at == BytesView::npos) break;
    out.emplace_back(body.substr(from, at - from));
    from = at + kSeparator.size();
  }
  return out;
}

}  // namespace

std::optional<Request> parseRequest(BytesView frame) {
  if (frame.substr(0, kFrameTags.size()) != kFrameTags) return std::nullopt;
  BytesView body = frame.substr(kFrameTags.size());
  if (body.size() < kSeparator.size() || body.substr(body.size() - kSeparator.size()) != kSeparator) {
    return std::nullopt;
  }
  const size_t commandEnd = body.find(kSeparator);
  Request request{};
  request.name = Bytes(body.substr(0, commandEnd));
  request.replyName = replyNameOf(request.name);
  const BytesView rest = body.substr(commandEnd + kSeparator.size());

  size_t expected = 0;
  bool known = false;
  for (const auto& shape : kShapes) {
    if (shape.name == request.name) {
      request.command = shape.command;
      expected = shape.fields;
      known = true;
    }
  }
  for (size_t k = 0; k < kRecognitionKinds.size() && !known; ++k) {
    if (kRecognitionKinds[k].command == request.name) {
      request.command = Command::kRecognize;
      request.kindIndex = static_cast<int>(k);
      expected = 1;
      known = true;
    }
  }
  if (!known) return std::nullopt;

  if (request.command == Command::kFeedback) {
    if (rest.empty()) return std::nullopt;
    request.fields.emplace_back(rest.substr(0, rest.size() - kSeparator.size()));
    return request;
  }
  request.fields = splitFields(rest);
  if (request.fields.size() != expected) return std::nullopt;
  return request;
}

}  // namespace molan::server
