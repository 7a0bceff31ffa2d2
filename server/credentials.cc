#include "server/credentials.h"

namespace molan::server {

bool isCredentialText(BytesView text) {
  if (text.size() < 8 || text.size() > 16) return false;
  for (const char c : text) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (!ok) return false;
  }
  return true;
}

bool isMachineCode(BytesView text) {
  if (text.size() != 41 && text.size() != 32 && text.size() != 9) return false;
  for (const char c : text) {
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  }
  return true;
}

bool registrationFieldsValid(const Registration& r) {
  return isCredentialText(r.account) && isCredentialText(r.password) &&
         r.question.size() <= kMaxSecurityTextBytes && r.answer.size() <= kMaxSecurityTextBytes &&
         isMachineCode(r.machineCode);
}

}  // namespace molan::server
