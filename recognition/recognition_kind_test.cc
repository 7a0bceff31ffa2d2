#include "recognition/recognition_kind.h"

#include <gtest/gtest.h>

#include "link/frame.h"
#include "recognition/picture_payload.h"

namespace molan {
namespace {

using namespace std::string_view_literals;

TEST(RecognitionKind, TableAgreesWithTheCommandIndexAndItsOwnNames) {
  for (const auto& info : kRecognitionKinds) {
    SCOPED_TRACE(info.command);
    EXPECT_EQ(&kindInfo(info.kind), &info);
    EXPECT_EQ(Bytes(info.command), "通用文字识别_" + Bytes(info.word));
    EXPECT_EQ(Bytes(info.replyName), replyNameOf(info.command));
    EXPECT_EQ(Bytes(info.noReplyMessage), Bytes(info.command) + "未响应");
    EXPECT_EQ(Bytes(info.pageName), "通用_" + Bytes(info.command));
    EXPECT_EQ(kindOfPageName(info.pageName), info.kind);
    bool inIndex = false;
    for (const auto& c : kCommandIndex) inIndex |= c.command == info.command && c.replyName == info.replyName;
    EXPECT_TRUE(inIndex);
  }
  EXPECT_FALSE(kindOfPageName("").has_value());
  EXPECT_FALSE(kindOfPageName("通用_通用文字识别").has_value());
}

TEST(RecognitionKind, CostsPositionsAndStyles) {
  const struct {
    RecognitionKind kind;
    int cost;
    bool positions;
    ReplyStyle style;
  } cases[] = {{RecognitionKind::Standard, 2, false, ReplyStyle::Compact},
               {RecognitionKind::StandardWithPositions, 4, true, ReplyStyle::Compact},
               {RecognitionKind::Accurate, 6, false, ReplyStyle::Spaced},
               {RecognitionKind::AccurateWithPositions, 8, true, ReplyStyle::Spaced}};
  for (const auto& c : cases) {
    EXPECT_EQ(kindInfo(c.kind).cost, c.cost);
    EXPECT_EQ(kindInfo(c.kind).positions, c.positions);
    EXPECT_EQ(kindInfo(c.kind).style, c.style);
  }
}

TEST(PageControlName, PutsThePageNameBetweenPrefixAndRole) {
  EXPECT_EQ(pageControlName("画板_", RecognitionKind::Standard, "原图"), "画板_通用_通用文字识别_标准_原图");
  EXPECT_EQ(pageControlName("编辑框_", RecognitionKind::AccurateWithPositions, "结果"),
            "编辑框_通用_通用文字识别_高精度含位置_结果");
}

TEST(BuildRecognitionRequest, IsTagsCommandPayloadAndSeparators) {
  EXPECT_EQ(buildRecognitionRequest(RecognitionKind::Standard, encodePicturePayload("\xFB\xFF"sv)),
            "青柯<||||>墨澜<||||>通用文字识别_标准<||||>%2b%2f8%3d<||||>");
  const Bytes frame = buildRecognitionRequest(RecognitionKind::AccurateWithPositions, "YWJj");
  EXPECT_EQ(frame, "青柯<||||>墨澜<||||>通用文字识别_高精度含位置<||||>YWJj<||||>");
}

}  // namespace
}  // namespace molan
