#pragma once
// The four recognition variants and everything that differs between them.
// One table drives the request, the reply scanning and the page controls.
#include <array>
#include <optional>

#include "link/bytes.h"

namespace molan {

enum class RecognitionKind { Standard, StandardWithPositions, Accurate, AccurateWithPositions };

// How the server writes the JSON of a kind's result: without blanks, or with
// one blank after every colon and every comma between members.
enum class ReplyStyle { Compact, Spaced };

struct RecognitionKindInfo {
  RecognitionKind kind;
  BytesView word;            // 标准, 标准含位置, 高精度, 高精度含位置
  BytesView command;         // 通用文字识别_标准
  BytesView replyName;       // 通用文字识别_标准返回
  BytesView noReplyMessage;  // 通用文字识别_标准未响应
  BytesView pageName;        // 通用_通用文字识别_标准: CaptureTarget and the middle of control names
  bool positions;            // the reply carries a box for every recognised line
  int cost;                  // 眼泪 named by the balance message; never computed with
  ReplyStyle style;
};

inline constexpr std::array<RecognitionKindInfo, 4> kRecognitionKinds = {{
    {RecognitionKind::Standard, "标准", "通用文字识别_标准", "通用文字识别_标准返回",
     "通用文字识别_标准未响应", "通用_通用文字识别_标准", false, 2, ReplyStyle::Compact},
    {RecognitionKind::StandardWithPositions, "标准含位置", "通用文字识别_标准含位置",
     "通用文字识别_标准含位置返回", "通用文字识别_标准含位置未响应", "通用_通用文字识别_标准含位置",
     true, 4, ReplyStyle::Compact},
    {RecognitionKind::Accurate, "高精度", "通用文字识别_高精度", "通用文字识别_高精度返回",
     "通用文字识别_高精度未响应", "通用_通用文字识别_高精度", false, 6, ReplyStyle::Spaced},
    {RecognitionKind::AccurateWithPositions, "高精度含位置", "通用文字识别_高精度含位置",
     "通用文字识别_高精度含位置返回", "通用文字识别_高精度含位置未响应",
     "通用_通用文字识别_高精度含位置", true, 8, ReplyStyle::Spaced},
}};

const RecognitionKindInfo& kindInfo(RecognitionKind kind);
// The kind whose page name is `pageName`; none for any other text.
std::optional<RecognitionKind> kindOfPageName(BytesView pageName);

// Design name of one of a page's controls: prefix + page name + "_" + role,
// e.g. ("画板_", kind, "原图") -> 画板_通用_通用文字识别_标准_原图.
Bytes pageControlName(BytesView prefix, RecognitionKind kind, BytesView role);

// The request frame: tags, the kind's command, the payload, each followed by
// the separator.
Bytes buildRecognitionRequest(RecognitionKind kind, BytesView payload);

// The message shown when the balance cannot pay for a recognition of `kind`.
Bytes balanceTooLowMessage(RecognitionKind kind);

}  // namespace molan
