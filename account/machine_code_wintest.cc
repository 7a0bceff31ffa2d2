#include "account/machine_code_win.h"

#include <gtest/gtest.h>

#include <regex>

#include "account/machine_code.h"

namespace molan::account {
namespace {

TEST(Md5Hex, Rfc1321Vectors) {
  struct Case {
    Bytes input;
    const char* digest;
  };
  const Case cases[] = {
      {"", "D41D8CD98F00B204E9800998ECF8427E"},
      {"a", "0CC175B9C0F1B6A831C399E269772661"},
      {"abc", "900150983CD24FB0D6963F7D28E17F72"},
      {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
      {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "D174AB98D277D9F5A5611C2C9F419D9F"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57EDF4A22BE3C955AC49DA2E2107B67A"},
      {"A58D23FA39D0", "8CF4CCB51A9D8B377051BCBF2850F71B"},  // the fallback adapter address
  };
  for (const Case& c : cases) {
    EXPECT_EQ(md5Hex(c.input), c.digest) << c.input;
  }
}

TEST(Md5Hex, HashesEveryByteIncludingZeros) {
  const Bytes a("ab\0cd", 5);
  const Bytes b("ab", 2);
  EXPECT_EQ(md5Hex(a).size(), 32u);
  EXPECT_NE(md5Hex(a), md5Hex(b));
  EXPECT_EQ(md5Hex(a), md5Hex(Bytes("ab\0cd", 5)));
}

TEST(MachineCodeWin, ProcessorIdentifierForm) {
  const Bytes id = processorIdentifier();
  EXPECT_TRUE(std::regex_match(id, std::regex("[0-9A-F]{8}(-[0-9A-F]{8}){3}"))) << id;
  EXPECT_EQ(processorPart(id).size(), 32u);
}

TEST(MachineCodeWin, AdapterAddressForm) {
  const Bytes address = firstAdapterAddress();
  EXPECT_TRUE(std::regex_match(address, std::regex("[0-9A-F]{2}(-[0-9A-F]{2}){5}"))) << address;
  EXPECT_EQ(firstAdapterAddress(), address);  // the same adapter comes first every time
}

TEST(MachineCodeWin, CodeIsFortyOneDigitsAndStable) {
  const Bytes code = computeMachineCode();
  EXPECT_EQ(code.size(), 41u);
  EXPECT_TRUE(std::regex_match(code, std::regex("[0-9A-F]{41}"))) << code;
  for (int i = 0; i < 5; ++i) EXPECT_EQ(computeMachineCode(), code);
  // Built from the two parts as specified.
  const Bytes digest = md5Hex(adapterDigestInput(firstAdapterAddress()));
  EXPECT_EQ(code, processorPart(processorIdentifier()) + digest.substr(2, 9));
}

}  // namespace
}  // namespace molan::account
