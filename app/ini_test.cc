#include "app/ini.h"

#include <gtest/gtest.h>

#include "app/user_config.h"

namespace molan {
namespace {

const Bytes kTemplate(kUserConfigTemplate);

TEST(Ini, ReadsTheTemplate) {
  EXPECT_EQ(kTemplate.size(), 60u);
  EXPECT_EQ(iniGet(kTemplate, "用户配置", "记住密码"), "否");
  EXPECT_EQ(iniGet(kTemplate, "用户配置", "记忆账户"), "");
  EXPECT_EQ(iniGet(kTemplate, "用户配置", "不存在"), std::nullopt);
  EXPECT_EQ(iniGet(kTemplate, "别的", "记住密码"), std::nullopt);
  EXPECT_EQ(iniGet("", "用户配置", "记住密码"), std::nullopt);
}

TEST(Ini, ReadingRules) {
  const Bytes c = "; note\n[A]\n  key  =  spaced value  \nq=\"quoted\"\ns='single'\nx=\"half\n[b]\nKEY=second\n";
  EXPECT_EQ(iniGet(c, "A", "key"), "spaced value");
  EXPECT_EQ(iniGet(c, "a", "KEY"), "spaced value");  // ASCII case does not matter
  EXPECT_EQ(iniGet(c, "A", "q"), "quoted");
  EXPECT_EQ(iniGet(c, "A", "s"), "single");
  EXPECT_EQ(iniGet(c, "A", "x"), "\"half");
  EXPECT_EQ(iniGet(c, "B", "key"), "second");
}

TEST(Ini, SetKeepsEveryOtherByte) {
  auto c = iniSet(kTemplate, "用户配置", "记住密码", "是");
  ASSERT_TRUE(c);
  EXPECT_EQ(*c, "[用户配置]\r\n记住密码=是\r\n自动登录=否\r\n记忆账户=\r\n记忆密码=\r\n");
  c = iniSet(*c, "用户配置", "记忆密码", "abc");
  EXPECT_EQ(*c, "[用户配置]\r\n记住密码=是\r\n自动登录=否\r\n记忆账户=\r\n记忆密码=abc\r\n");
  // A missing key goes to the end of its section, before the next section.
  c = iniSet("[s]\nk=1\n\n[t]\nz=2\n", "s", "new", "v");
  EXPECT_EQ(*c, "[s]\nk=1\nnew=v\r\n\n[t]\nz=2\n");
  // A missing section is appended; a last line without its end gets one.
  c = iniSet("[t]\nz=2", "用户配置", "自动登录", "是");
  EXPECT_EQ(*c, "[t]\nz=2\r\n[用户配置]\r\n自动登录=是\r\n");
  c = iniSet("", "s", "k", "v");
  EXPECT_EQ(*c, "[s]\r\nk=v\r\n");
  c = iniSet("[s]\r\nk=1", "s", "j", "2");
  EXPECT_EQ(*c, "[s]\r\nk=1\r\nj=2\r\n");
}

TEST(Ini, EveryStorableValueReadsBackExactly) {
  const Bytes values[] = {"", " lead", "trail ", "\"both\"", "'both'", "\"", "\"x", "a=b", "[x]", "\t", "\xff\xfe\x81\x22"};
  for (const Bytes& v : values) {
    const auto c = iniSet(kTemplate, "用户配置", "记忆账户", v);
    ASSERT_TRUE(c) << v;
    EXPECT_EQ(iniGet(*c, "用户配置", "记忆账户"), v) << v;
    EXPECT_EQ(iniGet(*c, "用户配置", "记忆密码"), "");
  }
  for (const Bytes& bad : {Bytes("a\rb"), Bytes("a\nb"), Bytes("a\0b", 3)}) {
    EXPECT_EQ(iniSet(kTemplate, "用户配置", "记忆账户", bad), std::nullopt);
  }
}

}  // namespace
}  // namespace molan
