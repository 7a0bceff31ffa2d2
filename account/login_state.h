#pragma once
// LoginState: who is logged in. One process-wide record, read and written as a
// whole value under a lock: the login-reply handler sets it on the network
// thread, logout clears it on the window thread, and every feature that needs
// an account reads a copy and tests whether the account is empty.
#include <cstdint>

#include "link/bytes.h"

namespace molan {

struct LoginState {
  Bytes account;         // GBK text; empty while nobody is logged in
  int32_t balance = 0;   // in 眼泪; 0 while logged out
};

LoginState loginState();
void setLoginState(const LoginState& state);
void clearLoginState();

// LoginPassed: the outcome of the last login reply, set by the reply handler
// before it writes the mailbox and read by the login action after its wait.
bool loginPassed();
void setLoginPassed(bool passed);

}  // namespace molan
