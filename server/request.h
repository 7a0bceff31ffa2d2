#pragma once
// A deciphered request frame taken apart: "青柯<||||>墨澜<||||>", the command,
// then its fields, every one followed by "<||||>".
#include <optional>
#include <vector>

#include "link/bytes.h"

namespace molan::server {

enum class Command {
  kPushedVersion,    // 取推送版本号
  kNewClient,        // 取新版本客户端
  kRegister,         // 注册账号
  kLogin,            // 登录
  kSecurityCheck,    // 安全验证
  kNewPassword,      // 设置新密码
  kAnnouncement,     // 取公告
  kFeedback,         // 反馈留言
  kRecognize,        // the four 通用文字识别_* commands
};

struct Request {
  Command command;
  Bytes name;    // the command as sent, GBK
  Bytes replyName;
  int kindIndex = -1;  // position in kRecognitionKinds for kRecognize
  std::vector<Bytes> fields;
};

// The request, or nothing for a frame this server does not know: wrong tags,
// no closing separator, an unknown command or the wrong number of fields.
// The feedback message is the one field that may itself hold "<||||>": all
// that stands between the command and the final separator is the message.
std::optional<Request> parseRequest(BytesView frame);

}  // namespace molan::server
