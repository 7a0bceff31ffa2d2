#include "account/login_reply.h"

#include <algorithm>
#include <limits>

#include "link/fields.h"
#include "link/frame.h"

namespace molan {
namespace {

// The character boundary after the one at `at`.
size_t nextCharacter(BytesView text, size_t at) {
  return at + ((static_cast<unsigned char>(text[at]) >= 0x81 && at + 1 < text.size()) ? 2 : 1);
}

}  // namespace

Bytes buildLoginRequest(BytesView account, BytesView password, BytesView machineCode) {
  return buildFrame(kLoginCommand, {account, password, machineCode});
}

LoginStatus loginStatusOf(BytesView reply) {
  struct Entry {
    BytesView status;
    LoginStatus value;
  };
  static constexpr Entry kStatuses[] = {
      {kBusyStatus, LoginStatus::Busy},
      {"账号不存在", LoginStatus::NoAccount},
      {"密码错误", LoginStatus::WrongPassword},
      {"账号已被登录", LoginStatus::AlreadyLoggedIn},
      {"账号密码正确", LoginStatus::Passed},
  };
  for (const Entry& e : kStatuses) {
    if (hasStatus(reply, kLoginReplyName, e.status)) return e.value;
  }
  return LoginStatus::Other;
}

std::optional<StatusMessage> loginStatusMessage(LoginStatus status) {
  switch (status) {
    case LoginStatus::Busy: return StatusMessage{"服务器网络繁忙，请稍后重试", "提示", false};
    case LoginStatus::NoAccount: return StatusMessage{"账号不存在", "警告", true};
    case LoginStatus::WrongPassword: return StatusMessage{"密码错误", "警告", true};
    case LoginStatus::AlreadyLoggedIn: return StatusMessage{"账号已被登录", "警告", true};
    case LoginStatus::Passed:
    case LoginStatus::Other: return std::nullopt;
  }
  return std::nullopt;
}

LoginGrant loginGrantOf(BytesView reply) {
  LoginGrant grant;
  grant.account = TextBetween(reply, "账号密码正确<||||>", kSeparator);
  const int64_t balance = parseLeadingInt(TextBetweenLast(reply, kSeparator, kSeparator));
  grant.balance = static_cast<int32_t>(std::clamp<int64_t>(balance, std::numeric_limits<int32_t>::min(),
                                                           std::numeric_limits<int32_t>::max()));
  return grant;
}

Bytes TextBetweenLast(BytesView text, BytesView startMarker, BytesView endMarker) {
  const BytesView t = untilNul(text);
  if (startMarker.empty() || endMarker.empty()) return {};
  size_t end = BytesView::npos;
  for (size_t at = gbkFind(t, endMarker); at != BytesView::npos; at = gbkFind(t, endMarker, nextCharacter(t, at))) {
    end = at;
  }
  if (end == BytesView::npos) return {};
  size_t start = BytesView::npos;
  for (size_t at = gbkFind(t, startMarker); at != BytesView::npos && at + startMarker.size() <= end;
       at = gbkFind(t, startMarker, nextCharacter(t, at))) {
    start = at;
  }
  if (start == BytesView::npos) return {};
  const size_t from = start + startMarker.size();
  return Bytes(t.substr(from, end - from));
}

}  // namespace molan
