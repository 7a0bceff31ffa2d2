#include "recognition/recognition_kind.h"

#include <string>

#include "link/frame.h"

namespace molan {

static_assert([] {
  for (size_t i = 0; i < kRecognitionKinds.size(); ++i) {
    if (static_cast<size_t>(kRecognitionKinds[i].kind) != i) return false;
  }
  return true;
}(), "the kind table is indexed by RecognitionKind");

const RecognitionKindInfo& kindInfo(RecognitionKind kind) {
  return kRecognitionKinds[static_cast<size_t>(kind)];
}

std::optional<RecognitionKind> kindOfPageName(BytesView pageName) {
  for (const auto& info : kRecognitionKinds) {
    if (info.pageName == pageName) return info.kind;
  }
  return std::nullopt;
}

Bytes pageControlName(BytesView prefix, RecognitionKind kind, BytesView role) {
  Bytes name(prefix);
  name.append(kindInfo(kind).pageName).append("_").append(role);
  return name;
}

Bytes buildRecognitionRequest(RecognitionKind kind, BytesView payload) {
  return buildFrame(kindInfo(kind).command, {payload});
}

Bytes balanceTooLowMessage(RecognitionKind kind) {
  Bytes text("个人或公共每日免费识别次数已达上限，本次识别需要扣除");
  text.append(std::to_string(kindInfo(kind).cost));
  text.append("眼泪，当前余额不足，无法完成本次识别。");
  return text;
}

}  // namespace molan
