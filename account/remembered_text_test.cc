#include "account/remembered_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>

#include "app/user_config.h"
#include "link/link_cipher.h"

namespace molan {
namespace {

using SealedTest = std::function<bool(const Bytes& sealed)>;

// The first text (8 to 16 non-zero bytes from a fixed-seed stream) whose
// sealed bytes satisfy `wanted`. Some cases need a control byte in the text
// (a leading blank needs 0x19 first), so the search is not limited to what a
// keyboard gives.
Bytes findText(const SealedTest& wanted) {
  std::mt19937 rng(20240531);
  std::uniform_int_distribution<int> length(8, 16);
  std::uniform_int_distribution<int> nonZero(0x01, 0xFF);
  for (int attempt = 0; attempt < 200000; ++attempt) {
    Bytes text(static_cast<size_t>(length(rng)), ' ');
    for (char& c : text) c = static_cast<char>(nonZero(rng));
    if (wanted(LinkCipher::apply(text))) return text;
  }
  return {};
}

bool has(const Bytes& s, char c) { return s.find(c) != Bytes::npos; }
bool isQuote(char c) { return c == '"' || c == '\''; }

struct AwkwardCase {
  const char* name;
  SealedTest sealedBytes;
  bool escaped;  // stored in the escaped form rather than raw
};

const AwkwardCase kAwkwardCases[] = {
    {"zero byte first", [](const Bytes& s) { return s[0] == '\0'; }, true},
    {"zero byte inside", [](const Bytes& s) { return s[0] != '\0' && has(s, '\0'); }, true},
    {"carriage return", [](const Bytes& s) { return !has(s, '\0') && has(s, '\r'); }, true},
    {"line feed", [](const Bytes& s) { return !has(s, '\0') && !has(s, '\r') && has(s, '\n'); }, true},
    {"leading blank", [](const Bytes& s) { return rawFormHolds(s) && s.front() == ' '; }, false},
    {"leading tab", [](const Bytes& s) { return rawFormHolds(s) && s.front() == '\t'; }, false},
    {"trailing blank", [](const Bytes& s) { return rawFormHolds(s) && s.back() == ' '; }, false},
    {"trailing tab", [](const Bytes& s) { return rawFormHolds(s) && s.back() == '\t'; }, false},
    {"quotes at both ends",
     [](const Bytes& s) { return rawFormHolds(s) && isQuote(s.front()) && s.back() == s.front(); }, false},
    {"leading quote only", [](const Bytes& s) { return rawFormHolds(s) && isQuote(s.front()) && s.back() != s.front(); },
     false},
    {"trailing quote only", [](const Bytes& s) { return rawFormHolds(s) && isQuote(s.back()) && s.back() != s.front(); },
     false},
    {"equals sign and brackets",
     [](const Bytes& s) { return rawFormHolds(s) && has(s, '=') && (has(s, '[') || has(s, ']')); }, false},
};

class RememberedTextFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("molan-remembered-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
    path_ = (dir_ / "config.ini").string();
    std::ofstream(path_, std::ios::binary) << kUserConfigTemplate;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  Bytes fileBytes() const {
    std::ifstream in(path_, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }

  std::filesystem::path dir_;
  Bytes path_;
};

TEST(SealRememberedText, RawFormIsTheCipherBytes) {
  EXPECT_EQ(sealRememberedText(""), "");
  EXPECT_EQ(openRememberedText(""), "");
  const Bytes sealed = sealRememberedText("abc12345");
  ASSERT_TRUE(rawFormHolds(LinkCipher::apply("abc12345")));
  EXPECT_EQ(sealed, LinkCipher::apply("abc12345"));
  EXPECT_EQ(openRememberedText(sealed), "abc12345");
  EXPECT_EQ(openRememberedText(sealRememberedText("中文密码")), "中文密码");
}

// No raw value of a non-empty text can begin with the mark, which is what
// makes the escaped form recognisable.
TEST(SealRememberedText, MarkIsTheCipherOfAZeroByte) {
  EXPECT_EQ(LinkCipher::apply(Bytes(1, '\0'))[0], kEscapedFormMark);
  for (int c = 1; c < 256; ++c) {
    EXPECT_NE(LinkCipher::apply(Bytes(1, static_cast<char>(c)))[0], kEscapedFormMark) << c;
  }
}

TEST_F(RememberedTextFile, AwkwardSealedBytesReadBackExactly) {
  for (const AwkwardCase& c : kAwkwardCases) {
    SCOPED_TRACE(c.name);
    const Bytes text = findText(c.sealedBytes);
    ASSERT_FALSE(text.empty());
    const Bytes stored = sealRememberedText(text);
    EXPECT_EQ(!stored.empty() && stored.front() == kEscapedFormMark, c.escaped);
    if (!c.escaped) {
      EXPECT_EQ(stored, LinkCipher::apply(text));
    }
    for (const BytesView key : {BytesView("记忆账户"), BytesView("记忆密码")}) {
      ASSERT_TRUE(writeConfigValue(path_, key, stored));
      EXPECT_EQ(readConfigValue(path_, key), stored);
      EXPECT_EQ(openRememberedText(readConfigValue(path_, key)), text);
    }
    // The other keys are left as they were.
    EXPECT_EQ(readConfigValue(path_, "记住密码"), "否");
    EXPECT_EQ(readConfigValue(path_, "自动登录"), "否");
  }
}

// Files written with the raw form keep reading as before.
TEST_F(RememberedTextFile, RawValuesOfOlderFilesStillOpen) {
  const Bytes account = "abc12345";
  const Bytes password = "Passw0rd";
  ASSERT_TRUE(rawFormHolds(LinkCipher::apply(account)));
  ASSERT_TRUE(rawFormHolds(LinkCipher::apply(password)));
  std::ofstream(path_, std::ios::binary) << "[用户配置]\r\n记住密码=是\r\n自动登录=否\r\n记忆账户="
                                         << LinkCipher::apply(account) << "\r\n记忆密码=" << LinkCipher::apply(password)
                                         << "\r\n";
  EXPECT_EQ(openRememberedText(readConfigValue(path_, "记忆账户")), account);
  EXPECT_EQ(openRememberedText(readConfigValue(path_, "记忆密码")), password);
  // An older file holding a value cut at its zero byte opens to the part before it.
  const Bytes cut = findText([](const Bytes& s) { return s.size() > 4 && s[4] == '\0' && rawFormHolds(s.substr(0, 4)); });
  ASSERT_FALSE(cut.empty());
  ASSERT_TRUE(writeConfigValue(path_, "记忆账户", untilNul(LinkCipher::apply(cut))));
  EXPECT_EQ(openRememberedText(readConfigValue(path_, "记忆账户")), cut.substr(0, 4));
}

TEST(OpenRememberedText, EscapedFormIsHexOfTheSealedBytes) {
  // LinkCipher of "ab" written as hex after the mark.
  const Bytes sealed = LinkCipher::apply("ab");
  Bytes escaped(1, kEscapedFormMark);
  for (const char c : sealed) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    escaped.push_back(kDigits[static_cast<unsigned char>(c) >> 4]);
    escaped.push_back(kDigits[static_cast<unsigned char>(c) & 0x0F]);
  }
  EXPECT_EQ(openRememberedText(escaped), "ab");
  // Malformed escaped values open to empty text, as a raw reading of a value
  // beginning with the mark would.
  for (const BytesView bad : {"9", "9A", "9ABC", "9zz", "9ab"}) {
    EXPECT_EQ(openRememberedText(bad), "") << bad;
  }
}

}  // namespace
}  // namespace molan
