#include "account/credential_rules.h"

namespace molan {
namespace {

constexpr size_t kMinCredentialBytes = 8;
constexpr size_t kMaxCredentialBytes = 16;

bool isLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool isAsciiLetters(BytesView text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (!isLetter(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

bool isAsciiDigits(BytesView text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (!isDigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

Bytes checkCredentialText(BytesView text, CredentialWording wording) {
  const bool account = wording == CredentialWording::Account;
  if (text.size() < kMinCredentialBytes) {
    return account ? "账号文本长度不能小于8位" : "密码文本长度不能小于8位";
  }
  if (text.size() > kMaxCredentialBytes) {
    return account ? "账号文本长度不能大于16位" : "密码文本长度不能大于16位";
  }
  for (size_t i = 0; i < text.size(); ++i) {
    const BytesView one = text.substr(i, 1);
    if (!isAsciiLetters(one) && !isAsciiDigits(one)) {
      return account ? "账号文本仅支持大写字母A-Z、小写字母a-z、数字0-9"
                     : "密码文本仅支持大写字母A-Z、小写字母a-z、数字0-9";
    }
  }
  return {};
}

BoxVerdict credentialBoxChanged(BytesView text, CredentialWording wording) {
  Bytes message = checkCredentialText(text, wording);
  const ValidityMark mark = message.empty() ? ValidityMark::Valid : ValidityMark::Invalid;
  return {mark, true, std::move(message), false};
}

BoxVerdict repeatBoxChanged(BytesView repeatText, BytesView passwordText) {
  if (repeatText == passwordText) return {ValidityMark::Valid, true, {}, false};
  return {ValidityMark::Invalid, true, "两次输入的密码不一致", false};
}

BoxVerdict secretBoxChanged(BytesView text, SecretField field) {
  if (text.size() <= kSecretFieldMaxBytes) return {};
  const Bytes hint = field == SecretField::Question ? "安全问题长度超出限制" : "安全答案长度超出限制";
  return {ValidityMark::None, true, hint, true};
}

}  // namespace molan
