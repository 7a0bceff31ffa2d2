// The reply handler and the request on a real window: the handler runs on a
// second thread, as on the link's thread, while the test thread pumps.
#include <gtest/gtest.h>

#include <thread>

#include "account/login_state.h"
#include "app/gbk_win.h"
#include "app/theme_win.h"
#include "link/frame.h"
#include "link/reply_mailbox.h"
#include "recognition/page_controls_win.h"
#include "recognition/recognition_win.h"
#include "recognition/recognition_wintest_support.h"
#include "recognition/reply_scan.h"
#include "shell/canvas_win.h"

namespace molan::recognition {
namespace {

using testing::MessageBoxCatcher;

Bytes utf8(std::u8string_view s) { return Bytes(reinterpret_cast<const char*>(s.data()), s.size()); }

Bytes frameOf(RecognitionKind kind, BytesView body) { return ReplyPrefix(kindInfo(kind).replyName) + Bytes(body); }

class RecognitionReplyTest : public ::testing::Test {
 protected:
  void SetUp() override { replyMailbox().clear(); }
  void TearDown() override { clearLoginState(); }

  // Handles `frame` on a second thread and pumps until the mailbox names the
  // kind's reply.
  void handleOnLinkThread(RecognitionKind kind, const Bytes& frame) {
    std::thread link([&] { handleRecognitionReply(kind, frame); });
    const bool done = testing::pumpUntil([&] { return replyMailbox().holds(kindInfo(kind).replyName); }, 20000);
    link.join();
    testing::pumpMessages();
    EXPECT_TRUE(done);
  }

  testing::PagesWindow pages;
};

TEST_F(RecognitionReplyTest, WritesOneLinePerParagraphAndSetsTheMailboxLast) {
  const auto kind = RecognitionKind::Standard;
  setResultText(pageResultBox(kind), "earlier text");
  handleOnLinkThread(kind, frameOf(kind, utf8(u8R"({"words_result":[{"words":"ab"},{"words":"墨澜"},{"words":"ef"}],)"
                                              u8R"("log_id":1,"paragraphs_result":[{"i":[0,1]},{"i":[2,7]}],"language":3}<||||>)")));
  EXPECT_EQ(testing::windowText(pageResultBox(kind)), L"       ab墨澜\r\n       ef\r\n");
}

TEST_F(RecognitionReplyTest, StatusRepliesShowTheirMessageAndLeaveTheResultBox) {
  const struct {
    RecognitionKind kind;
    const char* status;
    const wchar_t* message;
  } cases[] = {
      {RecognitionKind::Standard, "服务器网络繁忙<||||>", L"服务器网络繁忙，请稍后重试"},
      {RecognitionKind::Accurate, "服务器异常：引擎重启中<||||>", L"服务器异常：引擎重启中"},
      {RecognitionKind::AccurateWithPositions, "余额不足<||||>",
       L"个人或公共每日免费识别次数已达上限，本次识别需要扣除8眼泪，当前余额不足，无法完成本次识别。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.status);
    MessageBoxCatcher catcher;
    replyMailbox().clear();
    setResultText(pageResultBox(c.kind), "kept");
    handleOnLinkThread(c.kind, frameOf(c.kind, c.status));
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].text, c.message);
    EXPECT_EQ(catcher.boxes()[0].title, L"提示");
    EXPECT_EQ(testing::windowText(pageResultBox(c.kind)), L"kept");
  }
}

bool accentNear(const testing::Pixels& p, int x, int y) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      if (p.at(x + dx, y + dy) == 0x0088FF) return true;
    }
  }
  return false;
}

TEST_F(RecognitionReplyTest, DrawsEachLinesBoxWhereThePictureShowsIt) {
  const auto kind = RecognitionKind::StandardWithPositions;
  const Bytes reply = utf8(u8R"({"words_result":[{"words":"ab","location":{"top":10,"left":20,"width":30,"height":40}},)"
                           u8R"({"words":"cd","location":{"top":100,"left":100,"width":100,"height":100}}],"log_id":1,)"
                           u8R"("paragraphs_result":[{"i":[0,1]}],"language":3}<||||>)");
  HWND canvas = pageCanvas(kind);
  // 220 x 252 on the 440 x 504 canvas: centred at 110,126, not scaled.
  win::canvasSetPicture(canvas, testing::solidBmp(220, 252, RGB(255, 255, 255)));
  handleOnLinkThread(kind, frameOf(kind, reply));
  testing::Pixels p = testing::paintedPixels(canvas);
  ASSERT_EQ(p.width, 440);
  EXPECT_TRUE(accentNear(p, 130, 156));   // left edge of (130,136)-(160,176)
  EXPECT_TRUE(accentNear(p, 145, 136));   // top edge
  EXPECT_TRUE(accentNear(p, 159, 156));   // right edge
  EXPECT_FALSE(accentNear(p, 145, 156));  // inside: the picture
  EXPECT_EQ(testing::windowText(pageResultBox(kind)), L"       abcd\r\n");

  // A 1000 x 1000 picture is scaled by 0.44f: the second line's box runs
  // from (43,75) to (87,119).
  win::canvasClearDrawings(canvas);
  win::canvasSetPicture(canvas, testing::solidBmp(1000, 1000, RGB(255, 255, 255)));
  replyMailbox().clear();
  handleOnLinkThread(kind, frameOf(kind, reply));
  p = testing::paintedPixels(canvas);
  EXPECT_TRUE(accentNear(p, 44, 97));
  EXPECT_TRUE(accentNear(p, 65, 75));
  EXPECT_FALSE(accentNear(p, 65, 97));
}

TEST_F(RecognitionReplyTest, RecognitionChecksLoginFirstThenThePicture) {
  const auto kind = RecognitionKind::Accurate;
  HWND box = pageResultBox(kind);
  setResultText(box, "before");
  {
    MessageBoxCatcher catcher;
    clearLoginState();
    startRecognition(kind);  // no picture either: the login check comes first
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].text, L"登录后才能使用识别功能");
    EXPECT_EQ(catcher.boxes()[0].title, L"提示");
  }
  {
    MessageBoxCatcher catcher;
    setLoginState({"tester", 10});
    startRecognition(kind);
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].text, L"没有有效图片");
    EXPECT_EQ(catcher.boxes()[0].title, L"警告");
  }
  EXPECT_EQ(testing::windowText(box), L"before");
  {
    // No link in this process: the send is refused and only the first
    // progress line stays, with no message.
    MessageBoxCatcher catcher;
    win::canvasSetPicture(pageCanvas(kind), "not a picture, sent all the same");
    startRecognition(kind);
    EXPECT_EQ(testing::windowText(box), win::toWide(kRequestStartLine));
    EXPECT_TRUE(catcher.boxes().empty());
  }
}

}  // namespace
}  // namespace molan::recognition
