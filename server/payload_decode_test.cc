#include "server/payload_decode.h"

#include <gtest/gtest.h>

namespace molan::server {
namespace {

TEST(PayloadDecode, AcceptsWhatTheClientSends) {
  struct Case {
    Bytes payload, bytes;
  } cases[] = {
      {"YWJj", "abc"},
      {"%2b%2f8%3d", "\xFB\xFF"},
      {"%2B%2F8%3D", "\xFB\xFF"},
      {"AA%3d%3d", Bytes(1, '\0')},
      {"YWI%3d", "ab"},
  };
  for (const auto& c : cases) {
    PayloadError e = PayloadError::kBadBase64;
    EXPECT_EQ(decodePicturePayload(c.payload, &e), c.bytes) << c.payload;
    EXPECT_EQ(e, PayloadError::kNone);
  }
}

TEST(PayloadDecode, RefusesEverythingElse) {
  struct Case {
    Bytes payload;
    PayloadError error;
  } cases[] = {
      {"", PayloadError::kEmpty},
      {"YW+j", PayloadError::kBadBase64},   // '+' is a blank in form encoding
      {"YW/j", PayloadError::kBadPercent},  // raw '/'
      {"YWJj%", PayloadError::kBadPercent},
      {"YWJj%2", PayloadError::kBadPercent},
      {"YWJj%zz", PayloadError::kBadPercent},
      {"YWJ", PayloadError::kBadBase64},
      {"YW%3dj", PayloadError::kBadBase64},  // padding inside
      {"YWJ%3d%3d%3d%3d", PayloadError::kBadBase64},
      {"YWK%3d", PayloadError::kBadBase64},  // non-zero bits under the padding
      {"%3d%3d%3d%3d", PayloadError::kBadBase64},
      {"YWJj\r\n", PayloadError::kBadPercent},
  };
  for (const auto& c : cases) {
    PayloadError e = PayloadError::kNone;
    EXPECT_FALSE(decodePicturePayload(c.payload, &e)) << c.payload;
    EXPECT_EQ(e, c.error) << c.payload;
    EXPECT_FALSE(payloadErrorReason(e).empty());
  }
}

}  // namespace
}  // namespace molan::server
