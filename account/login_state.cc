#include "account/login_state.h"

#include <atomic>
#include <mutex>

namespace molan {
namespace {

std::mutex gMutex;
LoginState gState;  // guarded by gMutex
std::atomic<bool> gPassed{false};

}  // namespace

LoginState loginState() {
  std::lock_guard lock(gMutex);
  return gState;
}

void setLoginState(const LoginState& state) {
  std::lock_guard lock(gMutex);
  gState = state;
}

void clearLoginState() { setLoginState(LoginState{}); }

bool loginPassed() { return gPassed.load(); }
void setLoginPassed(bool passed) { gPassed.store(passed); }

}  // namespace molan
