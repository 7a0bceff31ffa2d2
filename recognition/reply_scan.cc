#include "recognition/reply_scan.h"

#include "link/fields.h"
#include "link/frame.h"
#include "recognition/utf8_text.h"

namespace molan {
namespace {

// Markers as the service writes its JSON; see ReplyScanProfile.
constexpr ReplyScanProfile kStandard = {
    R"("words_result":[)", "og_id", R"({"words":")", R"("}],"l)", R"("},{"words":")",
    {}, {}, {}, {}, {}, {},
    R"("paragraphs_result":[)", R"(],"language)", "},{", ","};

constexpr ReplyScanProfile kAccurate = {
    R"("words_result": [)", R"("paragraphs_result")", R"({"words": ")", R"("}],)",
    R"("}, {"words": ")",
    {}, {}, {}, {}, {}, {},
    R"("paragraphs_result": [)", "]}<||||>", "}, {", ", "};

constexpr ReplyScanProfile kStandardWithPositions = {
    R"("words_result":[)", "og_id", R"({"words":)", R"(}],"l)", R"(},{"words":)",
    R"(")", R"(","location)", R"("top":)", R"("left":)", R"("width":)", R"("height":)",
    R"("paragraphs_result":[)", R"(],"language)", "},{", ","};

constexpr ReplyScanProfile kAccurateWithPositions = {
    R"("words_result": [)", R"(aphs_result")", R"({"location": {)", R"(], "paragr)",
    R"(, {"location": )",
    R"("words": ")", R"("})", R"("top": )", R"("left": )", R"("width": )", R"("height": )",
    R"("paragraphs_result": [)", "]}<||||>", "}, {", ", "};

WordEntry scanEntry(const ReplyScanProfile& p, BytesView entry) {
  WordEntry word;
  word.text = TextBetween(entry, p.textStart, p.textEnd);
  word.top = parseLeadingInt(TextBetween(entry, p.topStart, ","));
  word.left = parseLeadingInt(TextBetween(entry, p.leftStart, ","));
  word.width = parseLeadingInt(TextBetween(entry, p.widthStart, ","));
  word.height = parseLeadingInt(TextBetween(entry, p.heightStart, "}"));
  return word;
}

std::vector<WordEntry> scanWords(RecognitionKind kind, BytesView frame) {
  const ReplyScanProfile& p = scanProfile(kind);
  const Bytes section = decodeUtf8Text(BytesBetween(frame, p.wordsStart, p.wordsEnd));
  std::vector<Bytes> pieces = splitText(TextBetween(section, p.linesStart, p.linesEnd), p.lineSeparator);
  std::vector<WordEntry> words;
  words.reserve(pieces.size());
  for (Bytes& piece : pieces) {
    if (kindInfo(kind).positions) {
      words.push_back(scanEntry(p, piece));
    } else {
      words.push_back(WordEntry{std::move(piece)});
    }
  }
  return words;
}

std::vector<ParagraphEntry> scanParagraphs(const ReplyScanProfile& p, BytesView frame) {
  const Bytes section = BytesBetween(frame, p.paragraphsStart, p.paragraphsEnd);
  std::vector<ParagraphEntry> paragraphs;
  for (const Bytes& element : splitText(untilNul(section), p.paragraphSeparator)) {
    ParagraphEntry paragraph;
    for (const Bytes& index : splitText(TextBetween(element, "[", "]"), p.indexSeparator)) {
      paragraph.indexes.push_back(parseLeadingInt(index));
    }
    paragraphs.push_back(std::move(paragraph));
  }
  return paragraphs;
}

// The whole status field of a server-exception reply. A field that runs to
// the end of the frame without its separator is still shown whole.
Bytes statusField(BytesView frame, BytesView replyName) {
  const Bytes prefix = ReplyPrefix(replyName);
  Bytes field = BytesBetween(frame, prefix, kSeparator);
  if (field.empty()) field = BytesAfter(frame, prefix);
  return Bytes(untilNul(field));
}

}  // namespace

const ReplyScanProfile& scanProfile(RecognitionKind kind) {
  switch (kind) {
    case RecognitionKind::Standard: return kStandard;
    case RecognitionKind::StandardWithPositions: return kStandardWithPositions;
    case RecognitionKind::Accurate: return kAccurate;
    case RecognitionKind::AccurateWithPositions: return kAccurateWithPositions;
  }
  return kStandard;
}

RecognitionReply scanRecognitionReply(RecognitionKind kind, BytesView frame) {
  const RecognitionKindInfo& info = kindInfo(kind);
  RecognitionReply reply;
  if (hasStatus(frame, info.replyName, kBusyStatus)) {
    reply.status = ReplyStatus::Busy;
    reply.message = Bytes(kBusyMessage);
  } else if (hasStatus(frame, info.replyName, "服务器异常", true)) {
    reply.status = ReplyStatus::ServerException;
    reply.message = statusField(frame, info.replyName);
  } else if (hasStatus(frame, info.replyName, "余额不足")) {
    reply.status = ReplyStatus::BalanceTooLow;
    reply.message = balanceTooLowMessage(kind);
  } else {
    reply.words = scanWords(kind, frame);
    reply.paragraphs = scanParagraphs(scanProfile(kind), frame);
  }
  return reply;
}

Bytes resultLine(const ParagraphEntry& paragraph, const std::vector<WordEntry>& words) {
  Bytes line = "       ";
  for (int64_t index : paragraph.indexes) {
    if (index < 0 || static_cast<uint64_t>(index) >= words.size()) continue;
    line.append(words[static_cast<size_t>(index)].text);
  }
  line.append("\r\n");
  return line;
}

std::vector<Bytes> resultLines(const RecognitionReply& reply) {
  std::vector<Bytes> lines;
  lines.reserve(reply.paragraphs.size());
  for (const ParagraphEntry& paragraph : reply.paragraphs) lines.push_back(resultLine(paragraph, reply.words));
  return lines;
}

}  // namespace molan
