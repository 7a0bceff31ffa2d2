#include "server/credentials.h"

#include <gtest/gtest.h>

namespace molan::server {
namespace {

TEST(Credentials, CredentialText) {
  const std::pair<Bytes, bool> cases[] = {
      {"abcdefgh", true}, {"Ab3dEf7hIj9lMn0p", true}, {"abcdefg", false}, {"Ab3dEf7hIj9lMn0pq", false},
      {"abcd_efg", false}, {"abcd efg", false}, {"四个汉字", false}, {"", false},
  };
  for (const auto& [text, ok] : cases) EXPECT_EQ(isCredentialText(text), ok) << text;
}

TEST(Credentials, MachineCode) {
  const std::pair<Bytes, bool> cases[] = {
      {"52565552565256562020202920265551F4CCB51A9", true},
      {"F4CCB51A9", true},
      {"52565552565256562020202920265551", true},
      {"52565552565256562020202920265551f4ccb51a9", false},
      {"52565552565256562020202920265551F4CCB51AG", false},
      {"5256555256525656202020292026555F4CCB51A9", false},
      {"", false},
  };
  for (const auto& [text, ok] : cases) EXPECT_EQ(isMachineCode(text), ok) << text;
}

TEST(Credentials, RegistrationFields) {
  const Registration good{"alice123", "secret99", Bytes(50, 'q'), Bytes(50, 'a'), "F4CCB51A9"};
  EXPECT_TRUE(registrationFieldsValid(good));
  EXPECT_TRUE(registrationFieldsValid({"alice123", "secret99", "", "", "F4CCB51A9"}));
  auto bad = good;
  bad.question += "q";
  EXPECT_FALSE(registrationFieldsValid(bad));
  bad = good;
  bad.answer += "a";
  EXPECT_FALSE(registrationFieldsValid(bad));
  bad = good;
  bad.machineCode = "";
  EXPECT_FALSE(registrationFieldsValid(bad));
  bad = good;
  bad.password = "short";
  EXPECT_FALSE(registrationFieldsValid(bad));
}

}  // namespace
}  // namespace molan::server
