// 识别: the request of one page and the wait for its reply.
#include "account/login_state.h"
#include "app/message_box_win.h"
#include "link/link_log.h"
#include "link/reply_mailbox.h"
#include "link/reply_waiter.h"
#include "link/server_link_win.h"
#include "recognition/page_controls_win.h"
#include "recognition/picture_payload.h"
#include "recognition/recognition_win.h"
#include "recognition/reply_scan.h"
#include "shell/canvas_win.h"

namespace molan::recognition {
namespace {

constexpr int kReplyPolls = 5000;

// Set while a request waits. The wait keeps window events flowing, so without
// it a second 识别 would run a nested wait that clears the mailbox under the
// first one and reports its reply as missing.
bool gWaiting = false;  // window thread only

class WaitingScope {
 public:
  WaitingScope() { gWaiting = true; }
  ~WaitingScope() { gWaiting = false; }
  WaitingScope(const WaitingScope&) = delete;
  WaitingScope& operator=(const WaitingScope&) = delete;
};

}  // namespace

bool recognitionWaiting() { return gWaiting; }

void startRecognition(RecognitionKind kind) {
  if (gWaiting) return;
  const RecognitionKindInfo& info = kindInfo(kind);
  if (loginState().account.empty()) {
    win::showInfo("登录后才能使用识别功能");
    return;
  }
  const Bytes picture = win::canvasPicture(pageCanvas(kind));
  if (picture.empty()) {
    win::showWarning("没有有效图片");
    return;
  }
  HWND box = pageResultBox(kind);
  setResultText(box, "");
  appendResultText(box, kRequestStartLine);
  const bool sent = ServerLink::send(buildRecognitionRequest(kind, encodePicturePayload(picture)));
  LinkLog(info.command, sent ? "发送成功" : "发送失败");
  if (!sent) return;
  appendResultText(box, kRequestSentLine);
  WaitingScope waiting;
  if (!ReplyWaiter::wait(info.replyName, kReplyPolls)) win::showWarning(info.noReplyMessage);
  replyMailbox().clear();
}

}  // namespace molan::recognition
