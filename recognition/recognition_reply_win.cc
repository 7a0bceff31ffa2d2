// Display of a recognition reply. Runs on the network thread: message boxes
// are shown here, every window change is carried out by the window thread,
// one line or one box at a time, so the result grows while it is worked through.
#include "app/message_box_win.h"
#include "app/theme_win.h"
#include "app/window_thread_win.h"
#include "link/reply_mailbox.h"
#include "recognition/canvas_fit.h"
#include "recognition/page_controls_win.h"
#include "recognition/picture_holder_win.h"
#include "recognition/recognition_win.h"
#include "recognition/reply_scan.h"
#include "shell/canvas_win.h"

namespace molan::recognition {
namespace {

constexpr int kBoxPenWidth = 2;

void appendLine(HWND box, BytesView text) {
  win::runOnWindowThread([&] { appendResultText(box, text); });
}

void drawBoxes(HWND canvas, const std::vector<WordEntry>& words) {
  Bytes picture;
  int cw = 0, ch = 0;
  win::runOnWindowThread([&] {
    picture = win::canvasPicture(canvas);
    RECT client{};
    if (GetClientRect(canvas, &client)) cw = client.right, ch = client.bottom;
  });
  PictureHolder holder;
  holder.decode(picture);  // undecodable: 0 x 0
  const CanvasFit fit = computeCanvasFit(cw, ch, holder.width(), holder.height());
  for (const WordEntry& word : words) {
    const CanvasBox b = mapBox(fit, word.top, word.left, word.width, word.height);
    const RECT rect{b.left, b.top, b.right, b.bottom};
    win::runOnWindowThread([&] { win::canvasDrawRect(canvas, rect, win::theme::kAccent, kBoxPenWidth); });
  }
}

void showResult(RecognitionKind kind, const RecognitionReply& reply) {
  HWND box = pageResultBox(kind);
  appendLine(box, kReplyReceivedLine);
  win::runOnWindowThread([&] {
    appendResultText(box, kReplyParsedLine);
    setResultText(box, "");
  });
  if (kindInfo(kind).positions) drawBoxes(pageCanvas(kind), reply.words);
  for (const ParagraphEntry& paragraph : reply.paragraphs) appendLine(box, resultLine(paragraph, reply.words));
}

}  // namespace

void handleRecognitionReply(RecognitionKind kind, const Bytes& frame) {
  const RecognitionReply reply = scanRecognitionReply(kind, frame);
  if (reply.status == ReplyStatus::Result) {
    showResult(kind, reply);
  } else {
    win::showInfo(reply.message);
  }
  replyMailbox().set(kindInfo(kind).replyName);
}

}  // namespace molan::recognition
