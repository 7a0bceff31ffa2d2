// The engine on pictures rendered here: known Chinese and English text at
// known places, in the formats the client may send.
#include "server/ocr_engine.h"

#include <gtest/gtest.h>

#include "server/testing/pictures.h"
#include "server/testing/utf8.h"

namespace molan::server {
namespace {

using testing::utf8;

class OcrEngineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    quietPictureLibrary();
    engine_ = new OcrEngine();
    std::string error;
    ASSERT_TRUE(engine_->init("", "chi_sim+eng", &error)) << error;
  }
  static void TearDownTestSuite() { delete engine_; }
  static OcrEngine* engine_;
};
OcrEngine* OcrEngineTest::engine_ = nullptr;

TEST_F(OcrEngineTest, ChineseAndEnglishLinesWithBoxesInEveryFormat) {
  // Baselines at y = 70 and 150 with 32-point glyphs: each line's box must
  // hold its baseline and lie within the text's horizontal extent.
  const std::vector<testing::TextRow> rows = {{utf8(u8"你好世界，墨澜识别"), 40, 70},
                                               {utf8(u8"Hello World 2024"), 40, 150}};
  for (const char* format : {"png", "bmp", "jpg", "gif", "tif"}) {
    const Bytes picture = testing::renderPicture(640, 200, 32, rows, format);
    ASSERT_FALSE(picture.empty()) << format;
    for (const OcrMode mode : {OcrMode::kStandard, OcrMode::kAccurate}) {
      const auto result = engine_->recognize(picture, mode, 40000000, nullptr);
      ASSERT_TRUE(result) << format;
      ASSERT_EQ(result->lines.size(), 2u) << format;
      EXPECT_EQ(result->lines[0].text, utf8(u8"你好世界，墨澜识别")) << format;
      EXPECT_EQ(result->lines[1].text, utf8(u8"Hello World 2024")) << format;
      for (size_t i = 0; i < 2; ++i) {
        const OcrLine& l = result->lines[i];
        const int baseline = rows[i].y;
        EXPECT_LE(l.top, baseline) << format << i;
        EXPECT_GE(l.top + l.height, baseline - 5) << format << i;
        EXPECT_GE(l.top, baseline - 45) << format << i;
        EXPECT_NEAR(l.left, 40, 8) << format << i;
        EXPECT_GT(l.width, 200) << format << i;
        EXPECT_LE(l.left + l.width, 640) << format << i;
      }
      ASSERT_FALSE(result->paragraphs.empty());
    }
  }
}

TEST_F(OcrEngineTest, BlankPictureGivesNoLines) {
  const Bytes picture = testing::renderPicture(300, 100, 20, {});
  const auto result = engine_->recognize(picture, OcrMode::kStandard, 40000000, nullptr);
  ASSERT_TRUE(result);
  EXPECT_TRUE(result->lines.empty());
  EXPECT_TRUE(result->paragraphs.empty());
}

TEST_F(OcrEngineTest, RefusesWhatItCannotDecode) {
  const Bytes png = testing::renderPicture(300, 100, 20, {{"x", 10, 50}});
  struct Case {
    Bytes bytes;
    long long maxPixels;
    Bytes reason;
  } cases[] = {
      {"not a picture", 40000000, "：无法识别的图片格式"},
      {png.substr(0, 60), 40000000, "：图片无法解码"},
      {png, 300 * 100 - 1, "：图片尺寸超出限制"},
  };
  for (const auto& c : cases) {
    OcrFailure failure;
    EXPECT_FALSE(engine_->recognize(c.bytes, OcrMode::kStandard, c.maxPixels, &failure));
    EXPECT_EQ(failure.reason, c.reason);
  }
}

}  // namespace
}  // namespace molan::server
