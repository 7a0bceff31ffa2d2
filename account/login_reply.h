#pragma once
// The login request and the reading of its reply.
#include <cstdint>
#include <optional>

#include "link/bytes.h"

namespace molan {

inline constexpr BytesView kLoginCommand = "登录";
inline constexpr BytesView kLoginReplyName = "登录返回";
inline constexpr int kLoginWaitPolls = 5000;

// "青柯<||||>墨澜<||||>登录<||||>" + account, password and machine code, each
// followed by the separator. The password travels as typed.
Bytes buildLoginRequest(BytesView account, BytesView password, BytesView machineCode);

enum class LoginStatus { Busy, NoAccount, WrongPassword, AlreadyLoggedIn, Passed, Other };

// The status of a login reply, tested in the order of the enum.
LoginStatus loginStatusOf(BytesView reply);

// The message a status shows; nullopt for statuses that show none.
struct StatusMessage {
  BytesView text;
  BytesView title;
  bool warning;  // warning icon; otherwise information
};
std::optional<StatusMessage> loginStatusMessage(LoginStatus status);

// The account name (the field right after the status) and the balance (the
// last field as an integer; text that is no number gives 0) of a success reply.
struct LoginGrant {
  Bytes account;
  int32_t balance = 0;
};
LoginGrant loginGrantOf(BytesView reply);

// The text between the last end marker and the nearest start marker that ends
// before it; empty when either is missing. Works on text (cut at its first
// zero byte) with GBK character stepping.
Bytes TextBetweenLast(BytesView text, BytesView startMarker, BytesView endMarker);

}  // namespace molan
