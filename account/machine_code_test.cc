#include "account/machine_code.h"

#include <gtest/gtest.h>

#include <array>

namespace molan {
namespace {

constexpr BytesView kExampleDigest = "8cf4ccb51a9d8b377051bcbf2850f71b";  // MD5 of A58D23FA39D0

TEST(MachineCode, WorkedExample) {
  const Bytes id = processorIdText(0xBFEBFBFF, 0x000906EA, 0x00000000, 0x00000000);
  EXPECT_EQ(id, "BFEBFBFF-000906EA-00000000-00000000");
  EXPECT_EQ(processorPart(id), "52565552565256562020202920265551");
  EXPECT_EQ(adapterDigestInput(kFallbackAdapterAddress), "A58D23FA39D0");
  EXPECT_EQ(adapterPartFromDigest(kExampleDigest), "F4CCB51A9");
  const Bytes code = assembleMachineCode(id, kExampleDigest);
  EXPECT_EQ(code, "52565552565256562020202920265551F4CCB51A9");
  EXPECT_EQ(code.size(), 41u);
}

TEST(MachineCode, OnlyTheFirstTwoGroupsOfTheIdentifierCount) {
  const Bytes a = processorIdText(0x0F8BFBFF, 0x000306A9, 0x12345678, 0x9ABCDEF0);
  const Bytes b = processorIdText(0x0F8BFBFF, 0x000306A9, 0, 0);
  EXPECT_EQ(processorPart(a), processorPart(b));
  EXPECT_NE(processorPart(a), processorPart(processorIdText(0x0F8BFBFF, 0x000306AA, 0, 0)));
  // Leading zeros are kept: "0" (0x30) XOR 0x10 is 0x20.
  EXPECT_EQ(processorPart(processorIdText(0, 0, 0, 0)), "20202020202020202020202020202020");
}

TEST(MachineCode, MissingPartsShortenTheCode) {
  EXPECT_EQ(processorPart(""), "");
  EXPECT_EQ(assembleMachineCode("", kExampleDigest), "F4CCB51A9");
  EXPECT_EQ(assembleMachineCode("BFEBFBFF-000906EA-00000000-00000000", ""), "52565552565256562020202920265551");
  EXPECT_EQ(adapterPartFromDigest("8cf4cc"), "");
}

TEST(MachineCode, AdapterAddressText) {
  const std::array<uint8_t, 6> mac = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  EXPECT_EQ(adapterAddressText(mac), "00-1A-2B-3C-4D-5E");
  const std::array<uint8_t, 6> high = {0xA5, 0x8D, 0x23, 0xFA, 0x39, 0xD0};
  EXPECT_EQ(adapterAddressText(high), kFallbackAdapterAddress);
  EXPECT_EQ(adapterDigestInput("00-1A-2B-3C-4D-5E"), "001A2B3C4D5E");
}

}  // namespace
}  // namespace molan
