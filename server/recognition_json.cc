#include "server/recognition_json.h"

#include <atomic>
#include <chrono>
#include <cstdio>

#include "link/frame.h"

namespace molan::server {
namespace {

const RecognitionKindInfo& infoOf(RecognitionKind kind) {
  for (const auto& info : kRecognitionKinds) {
    if (info.kind == kind) return info;
  }
  return kRecognitionKinds[0];
}

// Compact and spaced differ only in the blank after ':' and ','.
struct Style {
  const char* colon;
  const char* comma;
};
constexpr Style kCompact{":", ","};
constexpr Style kSpaced{": ", ", "};

void appendMember(std::string& out, const Style& s, const char* name) {
  out += '"';
  out += name;
  out += '"';
  out += s.colon;
}

void appendLocation(std::string& out, const Style& s, const OcrLine& line) {
  appendMember(out, s, "location");
  out += '{';
  appendMember(out, s, "top");
  out += std::to_string(line.top) + s.comma;
  appendMember(out, s, "left");
  out += std::to_string(line.left) + s.comma;
  appendMember(out, s, "width");
  out += std::to_string(line.width) + s.comma;
  appendMember(out, s, "height");
  out += std::to_string(line.height) + '}';
}

void appendWords(std::string& out, const Style& s, const OcrLine& line, bool guard) {
  appendMember(out, s, "words");
  out += '"' + jsonEscape(line.text, guard) + '"';
}

// One element of "words_result". Compact kinds write "words" first; the
// spaced kind with positions writes "location" first and "words" last.
void appendLine(std::string& out, const RecognitionKindInfo& info, const Style& s, const OcrLine& line) {
  const bool compact = info.style == ReplyStyle::Compact;
  out += '{';
  if (!info.positions) {
    appendWords(out, s, line, compact);
  } else if (compact) {
    appendWords(out, s, line, true);
    out += s.comma;
    appendLocation(out, s, line);
  } else {
    appendLocation(out, s, line);
    out += s.comma;
    appendWords(out, s, line, false);
  }
  out += '}';
}

void appendWordsResult(std::string& out, const RecognitionKindInfo& info, const Style& s,
                       const OcrResult& result) {
  appendMember(out, s, "words_result");
  out += '[';
  for (size_t i = 0; i < result.lines.size(); ++i) {
    if (i > 0) out += s.comma;
    appendLine(out, info, s, result.lines[i]);
  }
  out += ']';
}

void appendParagraphs(std::string& out, const Style& s, const OcrResult& result) {
  appendMember(out, s, "paragraphs_result");
  out += '[';
  for (size_t p = 0; p < result.paragraphs.size(); ++p) {
    if (p > 0) out += s.comma;
    out += '{';
    appendMember(out, s, "words_result_idx");
    out += '[';
    const auto& idx = result.paragraphs[p];
    for (size_t i = 0; i < idx.size(); ++i) {
      if (i > 0) out += s.comma;
      out += std::to_string(idx[i]);
    }
    out += "]}";
  }
  out += ']';
}

void appendNumber(std::string& out, const Style& s, const char* name, uint64_t value) {
  appendMember(out, s, name);
  out += std::to_string(value);
}

}  // namespace

std::string jsonEscape(std::string_view utf8, bool guardLogId) {
  std::string out;
  out.reserve(utf8.size() + 8);
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else if (guardLogId && c == '_' && i >= 2 && utf8.compare(i - 2, 5, "og_id") == 0) {
          out += "\\u005f";
        } else if (c == '}' && i > 0 && utf8[i - 1] == '"') {
          out += "\\u007d";  // after an escaped quote, "} would end the spaced kinds' words
        } else if (c == '<' && utf8.compare(i, kSeparator.size(), kSeparator) == 0) {
          out += "\\u003c";  // a frame separator inside the JSON would cut the frame
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out;
}

std::string recognitionJson(RecognitionKind kind, const OcrResult& result, uint64_t logId) {
  const auto& info = infoOf(kind);
  std::string out = "{";
  if (info.style == ReplyStyle::Compact) {
    // "words_result" is followed by "log_id" (the scan ends the words at
    // "og_id"), and "paragraphs_result" by "language".
    const Style& s = kCompact;
    appendWordsResult(out, info, s, result);
    out += s.comma;
    appendNumber(out, s, "log_id", logId);
    out += s.comma;
    appendNumber(out, s, "words_result_num", result.lines.size());
    out += s.comma;
    appendParagraphs(out, s, result);
    out += s.comma;
    appendMember(out, s, "language");
    out += "-1";
    out += s.comma;
    appendNumber(out, s, "paragraphs_result_num", result.paragraphs.size());
  } else {
    // "paragraphs_result" is the last member; with positions "words_result"
    // is followed directly by it, so the other members come first.
    const Style& s = kSpaced;
    if (info.positions) {
      appendNumber(out, s, "log_id", logId);
      out += s.comma;
      appendNumber(out, s, "words_result_num", result.lines.size());
      out += s.comma;
      appendWordsResult(out, info, s, result);
    } else {
      appendWordsResult(out, info, s, result);
      out += s.comma;
      appendNumber(out, s, "words_result_num", result.lines.size());
      out += s.comma;
      appendNumber(out, s, "log_id", logId);
    }
    out += s.comma;
    appendParagraphs(out, s, result);
  }
  out += '}';
  return out;
}

Bytes recognitionReplyFrame(RecognitionKind kind, const OcrResult& result, uint64_t logId) {
  Bytes frame = ReplyPrefix(infoOf(kind).replyName);
  frame += recognitionJson(kind, result, logId);
  frame += kSeparator;
  return frame;
}

uint64_t nextLogId() {
  static std::atomic<uint64_t> counter{static_cast<uint64_t>(
      std::chrono::duration_cast<std::chrono::microseconds>(
          std::chrono::system_clock::now().time_since_epoch()).count())};
  return counter.fetch_add(1);
}

}  // namespace molan::server
