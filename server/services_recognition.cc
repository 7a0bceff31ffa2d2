// The four 通用文字识别 commands: payload decoding, the engine and accounting
// run on the recognition pool, one engine per worker thread.
#include "link/frame.h"
#include "recognition/recognition_kind.h"
#include "server/payload_decode.h"
#include "server/recognition_json.h"
#include "server/services.h"

namespace molan::server {
namespace {

constexpr BytesView kException = "服务器异常";
constexpr BytesView kShort = "余额不足";

void exception(const Request& request, const ReplySink& sink, BytesView reason) {
  const Bytes status = Bytes(kException) + Bytes(reason);
  sink.deliver(statusFrame(request.replyName, status), status);
}

void recognize(ServiceContext& ctx, const Request& request, const ReplySink& sink, size_t worker) {
  const auto& kind = kRecognitionKinds[static_cast<size_t>(request.kindIndex)];
  const std::string account = ctx.sessions.accountOf(sink.conn());
  if (account.empty()) return exception(request, sink, "：请先登录");
  const ChargeRule rule{ctx.config.personalFree, ctx.config.publicFree, ctx.config.costs[request.kindIndex]};
  const std::string day = localDay();

  // Refuse early when the recognition could not be paid for; the charge
  // itself is made only once the engine has succeeded.
  const ChargeResult preview = ctx.store.previewCharge(account, day, rule);
  if (preview == ChargeResult::kShort) return sink.deliver(statusFrame(request.replyName, kShort), Bytes(kShort));
  if (preview == ChargeResult::kFailed) return exception(request, sink, "：账户读取失败");

  PayloadError payloadError = PayloadError::kNone;
  const auto picture = decodePicturePayload(request.fields[0], &payloadError);
  if (!picture) return exception(request, sink, payloadErrorReason(payloadError));

  const OcrMode mode = kind.style == ReplyStyle::Spaced ? OcrMode::kAccurate : OcrMode::kStandard;
  OcrFailure failure;
  const auto result = ctx.engines[worker]->recognize(*picture, mode, ctx.config.maxPicturePixels, &failure);
  if (!result) return exception(request, sink, failure.reason);

  Bytes frame = recognitionReplyFrame(kind.kind, *result, nextLogId());
  if (frame.size() > kMaxPackSize) return exception(request, sink, "：识别结果过大");
  switch (ctx.store.charge(account, day, rule)) {
    case ChargeResult::kFree: return sink.deliver(std::move(frame), "识别成功(免费)");
    case ChargeResult::kCharged:
      return sink.deliver(std::move(frame), "识别成功(扣除" + std::to_string(rule.cost) + "眼泪)");
    case ChargeResult::kShort: return sink.deliver(statusFrame(request.replyName, kShort), Bytes(kShort));
    case ChargeResult::kFailed: return exception(request, sink, "：扣费失败");
  }
}

}  // namespace

void handleRecognition(ServiceContext& ctx, const Request& request, const ReplySink& sink) {
  const bool queued = ctx.ocrPool.submit([&ctx, request, sink](size_t worker) { recognize(ctx, request, sink, worker); });
  if (!queued) deliverBusy(request, sink);
}

}  // namespace molan::server
