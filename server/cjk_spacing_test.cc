#include "server/cjk_spacing.h"

#include <gtest/gtest.h>

#include "server/testing/utf8.h"

namespace molan::server {
namespace {

using testing::utf8;

TEST(CjkSpacing, RemovesOnlySpuriousBlanks) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {utf8(u8"你 好 世 界"), utf8(u8"你好世界")},
      {utf8(u8"你  好"), utf8(u8"你好")},
      {utf8(u8"名称 ： 墨澜"), utf8(u8"名称：墨澜")},
      {utf8(u8"Hello 世界"), utf8(u8"Hello 世界")},
      {utf8(u8"Hello World"), utf8(u8"Hello World")},
      {utf8(u8"版本 2.0 发布"), utf8(u8"版本 2.0 发布")},
      {utf8(u8"结束 。"), utf8(u8"结束。")},
      {utf8(u8"（ 注 ）"), utf8(u8"（注）")},
      {utf8(u8"  前后 \n"), utf8(u8"前后")},
      {"", ""},
      {"\xFF \xFE", "\xFF \xFE"},
  };
  for (const auto& c : cases) EXPECT_EQ(removeCjkBlanks(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace molan::server
