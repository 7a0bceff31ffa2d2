#include "tools/script_server/scenario.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "link/frame.h"
#include "tools/script_server/script_text.h"

namespace molan::script {
namespace {

// Narrow literals in this file are GBK (the build's execution charset); the
// scenario text is UTF-8, so write it with u8 literals.
std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

Scenario parseOk(const std::string& text, const std::string& baseDir = ".") {
  std::string error;
  auto scenario = parseScenario(text, baseDir, error);
  EXPECT_TRUE(scenario.has_value()) << error;
  return scenario ? *scenario : Scenario();
}

Action frame(Bytes b) { return {ActionKind::kFrame, std::move(b), 0}; }
Action raw(Bytes b) { return {ActionKind::kRaw, std::move(b), 0}; }

TEST(ScenarioText, ConvertsToGbkAndAppliesEscapes) {
  EXPECT_EQ(scenarioText(utf8(u8"登录返回")), Bytes("登录返回"));
  EXPECT_EQ(scenarioText(utf8(u8"a\\x00b\\xfF\\r\\n\\t\\\\")), Bytes("a\0b\xff\r\n\t\\", 8));
  EXPECT_EQ(scenarioText(utf8(u8"墨\\x89澜")), Bytes("墨\x89澜"));  // escaped bytes are not converted
  for (const char* bad : {"\\q", "\\x4", "\\xZZ", "trailing\\", "\xff\xfe"}) EXPECT_FALSE(scenarioText(bad)) << bad;
  EXPECT_FALSE(utf8ToGbk(utf8(u8"\U0001F600")));  // no GBK form
}

TEST(ScenarioText, ParsesHexPairs) {
  EXPECT_EQ(parseHex("0a FF 10"), Bytes("\x0a\xff\x10", 3));
  EXPECT_EQ(parseHex("00ab"), Bytes("\x00\xab", 2));
  for (const char* bad : {"0", "0g", "0 a", "abc"}) EXPECT_FALSE(parseHex(bad)) << bad;
}

TEST(Scenario, ParsesEveryDirective) {
  const std::string text = utf8(
      u8"# comment\n"
      u8"\n"
      u8"rule 登录\r\n"
      u8"  reply 青柯<||||>墨澜<||||>登录返回<||||>密码错误<||||>  \n"
      u8"delay 250\n"
      u8"garbage 5\n"
      u8"bad-header\n"
      u8"zero-header\n"
      u8"raw-hex 01 02 ff\n"
      u8"close\n"
      u8"rule 取公告\n"
      u8"on-connect\n"
      u8"reply x\\x01\n");
  const Scenario s = parseOk(text);
  const Rule* login = s.ruleFor("登录", 0);
  ASSERT_NE(login, nullptr);
  ASSERT_EQ(login->size(), 7u);
  EXPECT_EQ((*login)[0], frame("青柯<||||>墨澜<||||>登录返回<||||>密码错误<||||>"));
  EXPECT_EQ((*login)[1], (Action{ActionKind::kDelay, "", 250}));
  EXPECT_EQ((*login)[2].kind, ActionKind::kRaw);
  EXPECT_EQ((*login)[2].bytes.size(), 5u);
  EXPECT_EQ((*login)[3], raw(Bytes("\x00\x00\x40\x00", 4)));
  EXPECT_EQ((*login)[4], raw(Bytes(4, '\0')));
  EXPECT_EQ((*login)[5], raw("\x01\x02\xff"));
  EXPECT_EQ((*login)[6].kind, ActionKind::kClose);
  ASSERT_NE(s.ruleFor("取公告", 0), nullptr);
  EXPECT_TRUE(s.ruleFor("取公告", 0)->empty());  // a rule without actions: no reply
  EXPECT_EQ(s.ruleFor("反馈留言", 0), nullptr);
  ASSERT_NE(s.connectRule(0), nullptr);
  EXPECT_EQ(*s.connectRule(0), Rule{frame("x\x01")});
}

TEST(Scenario, RulesForOneCommandAreUsedInTurnAndTheLastRepeats) {
  const Scenario s = parseOk("rule A\nreply one\nrule B\nreply b\nrule A\nreply two\non-connect\nreply c1\non-connect\n");
  const char* expected[] = {"one", "two", "two", "two"};
  for (size_t use = 0; use < 4; ++use) EXPECT_EQ(*s.ruleFor("A", use), Rule{frame(expected[use])}) << use;
  EXPECT_EQ(*s.ruleFor("B", 9), Rule{frame("b")});
  EXPECT_EQ(*s.connectRule(0), Rule{frame("c1")});
  EXPECT_TRUE(s.connectRule(1)->empty());
  EXPECT_TRUE(s.connectRule(5)->empty());
  EXPECT_EQ(parseOk("").connectRule(0), nullptr);
}

TEST(Scenario, ReplyFileIsReadRelativeToTheScenario) {
  char dir[] = "/tmp/scenario-test-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const Bytes bytes("file\0frame", 10);
  std::ofstream(std::string(dir) + "/reply.bin", std::ios::binary) << bytes;
  const Scenario s = parseOk("rule A\nreply-file reply.bin\n", dir);
  EXPECT_EQ(*s.ruleFor("A", 0), Rule{frame(bytes)});
  std::remove((std::string(dir) + "/reply.bin").c_str());
  std::remove(dir);
}

TEST(Scenario, ErrorsNameTheLine) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"reply x\n", "line 1: "},
      {"rule A\n\nfrobnicate\n", "line 3: unknown directive frobnicate"},
      {"rule A\ndelay soon\n", "line 2: "},
      {"rule A\ndelay -5\n", "line 2: "},
      {"rule A\ngarbage 0\n", "line 2: "},
      {"rule A\nreply\n", "line 2: "},
      {"rule A\nreply bad\\escape\n", "line 2: "},
      {"rule A\nraw-hex 1\n", "line 2: "},
      {"rule A\nclose now\n", "line 2: "},
      {"rule\n", "line 1: "},
      {"rule A\nreply-file /no/such/file\n", "line 2: cannot read"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(parseScenario(c.text, ".", error)) << c.text;
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.text << " -> " << error;
  }
}

TEST(Scenario, RequestCommandIsTheThirdField) {
  EXPECT_EQ(requestCommand(buildFrame("登录", {"user", "pw"})), "登录");
  EXPECT_EQ(requestCommand(buildFrame("取公告")), "取公告");
  EXPECT_EQ(requestCommand("青柯<||||>墨澜<||||>no end"), "");
  EXPECT_EQ(requestCommand(""), "");
}

}  // namespace
}  // namespace molan::script
