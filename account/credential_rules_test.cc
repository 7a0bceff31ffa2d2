#include "account/credential_rules.h"

#include <gtest/gtest.h>

namespace molan {
namespace {

constexpr auto kAccount = CredentialWording::Account;
constexpr auto kPassword = CredentialWording::Password;

struct RuleCase {
  Bytes text;
  CredentialWording wording;
  Bytes expected;
};

TEST(CheckCredentialText, RulesInOrderWithBothWordings) {
  const Bytes charAccount = "账号文本仅支持大写字母A-Z、小写字母a-z、数字0-9";
  const Bytes charPassword = "密码文本仅支持大写字母A-Z、小写字母a-z、数字0-9";
  const RuleCase cases[] = {
      {"abc1234", kAccount, "账号文本长度不能小于8位"},
      {"abc1234", kPassword, "密码文本长度不能小于8位"},
      {"", kAccount, "账号文本长度不能小于8位"},
      {"abcdefgh", kAccount, ""},
      {"abcdefgh", kPassword, ""},
      {"12345678", kPassword, ""},
      {"AbCdEfGh12345678", kAccount, ""},
      {"abcdefghijklmnopq", kAccount, "账号文本长度不能大于16位"},
      {"abcdefghijklmnopq", kPassword, "密码文本长度不能大于16位"},
      {"abcd_efg", kAccount, charAccount},
      {"abcd efg", kPassword, charPassword},
      {"abcdefg!", kAccount, charAccount},
      {"四个汉字", kAccount, charAccount},            // 8 bytes: fails on characters
      {"两字", kAccount, "账号文本长度不能小于8位"},  // 4 bytes: fails on length first
      {"九个汉字九个汉字九", kPassword, "密码文本长度不能大于16位"},
      {"abcdefg@", kPassword, charPassword},
      {"abcdefg[", kAccount, charAccount},   // bytes just past Z and a
      {"abcdefg`", kAccount, charAccount},
      {"abcdefg/", kAccount, charAccount},   // bytes just around the digits
      {"abcdefg:", kAccount, charAccount},
  };
  for (const RuleCase& c : cases) {
    EXPECT_EQ(checkCredentialText(c.text, c.wording), c.expected) << c.text;
  }
}

TEST(AsciiClasses, LettersAndDigits) {
  EXPECT_TRUE(isAsciiLetters("AZaz"));
  EXPECT_FALSE(isAsciiLetters(""));
  EXPECT_FALSE(isAsciiLetters("ab1"));
  EXPECT_FALSE(isAsciiLetters("@"));
  EXPECT_FALSE(isAsciiLetters("\xC1"));  // high byte of a GBK character
  EXPECT_TRUE(isAsciiDigits("0123456789"));
  EXPECT_FALSE(isAsciiDigits(""));
  EXPECT_FALSE(isAsciiDigits("12a"));
  EXPECT_FALSE(isAsciiDigits(Bytes("1\0", 2)));
}

TEST(BoxHandlers, CredentialBoxSetsMarkAndHint) {
  const BoxVerdict ok = credentialBoxChanged("abcdefgh", kAccount);
  EXPECT_EQ(ok.mark, ValidityMark::Valid);
  EXPECT_TRUE(ok.writeHint);
  EXPECT_EQ(ok.hint, "");
  const BoxVerdict bad = credentialBoxChanged("abc", kPassword);
  EXPECT_EQ(bad.mark, ValidityMark::Invalid);
  EXPECT_TRUE(bad.writeHint);
  EXPECT_EQ(bad.hint, "密码文本长度不能小于8位");
  EXPECT_FALSE(bad.emptyBox);
}

TEST(BoxHandlers, RepeatBoxComparesBytesExactly) {
  EXPECT_EQ(repeatBoxChanged("Password1", "Password1").mark, ValidityMark::Valid);
  const BoxVerdict caseOnly = repeatBoxChanged("password1", "Password1");
  EXPECT_EQ(caseOnly.mark, ValidityMark::Invalid);
  EXPECT_EQ(caseOnly.hint, "两次输入的密码不一致");
  EXPECT_EQ(repeatBoxChanged("", "").mark, ValidityMark::Valid);
}

TEST(BoxHandlers, SecretBoxesLimitFiftyBytes) {
  const Bytes fifty(50, 'q');
  const BoxVerdict within = secretBoxChanged(fifty, SecretField::Question);
  EXPECT_FALSE(within.writeHint);
  EXPECT_FALSE(within.emptyBox);
  EXPECT_EQ(within.mark, ValidityMark::None);
  const BoxVerdict question = secretBoxChanged(fifty + "q", SecretField::Question);
  EXPECT_TRUE(question.emptyBox);
  EXPECT_EQ(question.hint, "安全问题长度超出限制");
  // 26 Chinese characters are 52 bytes.
  const BoxVerdict answer = secretBoxChanged("一二三四五六七八九十一二三四五六七八九十一二三四五六", SecretField::Answer);
  EXPECT_TRUE(answer.emptyBox);
  EXPECT_EQ(answer.hint, "安全答案长度超出限制");
}

TEST(InputHint, OnlyTheExactHintIsCleared) {
  EXPECT_TRUE(focusClearsInputHint("8-16位大/小写字母、数字"));
  EXPECT_FALSE(focusClearsInputHint("abc12345"));
  EXPECT_FALSE(focusClearsInputHint(""));
  EXPECT_FALSE(focusClearsInputHint("8-16位大/小写字母、数字 "));
}

}  // namespace
}  // namespace molan
