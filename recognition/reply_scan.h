#pragma once
// Scanning of a recognition reply frame. The client does not parse the
// service's JSON: it cuts the pieces it needs out of the frame with fixed
// marker strings, one set per kind (ReplyScanProfile). The scan is pure: it
// turns the frame's bytes into a value that the Win32 layer then displays.
#include <cstdint>
#include <vector>

#include "link/bytes.h"
#include "recognition/recognition_kind.h"

namespace molan {

// The markers of one kind. Words section and paragraph section are cut from
// the frame's bytes (plain byte search); everything inside them is cut from
// text with GBK character stepping.
struct ReplyScanProfile {
  BytesView wordsStart, wordsEnd;          // words section, on the frame's bytes
  BytesView linesStart, linesEnd;          // lines / entries text, on the decoded section
  BytesView lineSeparator;                 // between lines / entries
  BytesView textStart, textEnd;            // line text inside one entry (kinds with positions)
  BytesView topStart, leftStart, widthStart, heightStart;  // number markers inside one entry
  BytesView paragraphsStart, paragraphsEnd;  // paragraph section, on the frame's bytes
  BytesView paragraphSeparator;
  BytesView indexSeparator;                // inside "[" ... "]" of one paragraph
};

const ReplyScanProfile& scanProfile(RecognitionKind kind);

// One recognised line: its text (GBK, exactly as in the JSON, escapes kept)
// and, for kinds with positions, its box in picture pixels.
struct WordEntry {
  Bytes text;
  int64_t top = 0, left = 0, width = 0, height = 0;
  bool operator==(const WordEntry&) const = default;
};

// One paragraph: 0-based indexes into the WordEntry list, as the reply wrote
// them (an index may name no entry; resultLines skips it).
struct ParagraphEntry {
  std::vector<int64_t> indexes;
  bool operator==(const ParagraphEntry&) const = default;
};

enum class ReplyStatus { Busy, ServerException, BalanceTooLow, Result };

struct RecognitionReply {
  ReplyStatus status = ReplyStatus::Result;
  Bytes message;  // the text of the status message box; empty for a result
  std::vector<WordEntry> words;
  std::vector<ParagraphEntry> paragraphs;
};

// Scans a whole deciphered reply frame of `kind` (one that begins with the
// kind's reply prefix). Never fails: missing markers give empty pieces.
RecognitionReply scanRecognitionReply(RecognitionKind kind, BytesView frame);

// One result line per paragraph: seven blanks, the texts of the entries its
// indexes name joined without separator, then "\r\n". An index that names no
// entry is skipped.
std::vector<Bytes> resultLines(const RecognitionReply& reply);
Bytes resultLine(const ParagraphEntry& paragraph, const std::vector<WordEntry>& words);

inline constexpr BytesView kBusyMessage = "服务器网络繁忙，请稍后重试";
// Progress lines of the result box, written as the product writes them.
inline constexpr BytesView kRequestStartLine = "**准备开始识别图片中的文字……\r\n**\r\n";
inline constexpr BytesView kRequestSentLine = "**图片数据已传送至加密识别服务器……\r\n**\r\n";
inline constexpr BytesView kReplyReceivedLine = "**已收到识别反馈数据，正在解析……\r\n**\r\n";
inline constexpr BytesView kReplyParsedLine = "**解析完成，识别结果如下：\r\n\r\n";

}  // namespace molan
