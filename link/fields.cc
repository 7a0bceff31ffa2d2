#include "link/fields.h"

#include <limits>

namespace molan {
namespace {

Bytes replaceQuoteMarks(BytesView marker) {
  static constexpr BytesView kQuoteMark = "#引号";
  Bytes out;
  size_t i = 0;
  while (i < marker.size()) {
    if (marker.compare(i, kQuoteMark.size(), kQuoteMark) == 0) {
      out.push_back('"');
      i += kQuoteMark.size();
    } else {
      out.push_back(marker[i]);
      ++i;
    }
  }
  return out;
}

}  // namespace

size_t gbkFind(BytesView text, BytesView needle, size_t from) {
  if (needle.empty()) return from <= text.size() ? from : BytesView::npos;
  size_t i = from;
  while (i < text.size() && needle.size() <= text.size() - i) {
    if (text[i] == needle[0]) {  // inline compare: markers are short and their first byte is common
      size_t k = 1;
      while (k < needle.size() && text[i + k] == needle[k]) ++k;
      if (k == needle.size()) return i;
    }
    const auto c = static_cast<unsigned char>(text[i]);
    i += (c >= 0x81 && i + 1 < text.size()) ? 2 : 1;
  }
  return BytesView::npos;
}

Bytes TextBetween(BytesView text, BytesView startMarker, BytesView endMarker) {
  const BytesView t = untilNul(text);
  const Bytes start = replaceQuoteMarks(startMarker);
  const Bytes end = replaceQuoteMarks(endMarker);
  const size_t s = gbkFind(t, start);
  if (s == BytesView::npos) return {};
  const size_t from = s + start.size();
  const size_t e = gbkFind(t, end, from);
  if (e == BytesView::npos) return {};
  return Bytes(t.substr(from, e - from));
}

Bytes BytesBetween(BytesView bytes, BytesView startMarker, BytesView endMarker) {
  const size_t s = bytes.find(startMarker);
  if (s == BytesView::npos) return {};
  const size_t from = s + startMarker.size();
  const size_t e = bytes.find(endMarker, from);
  if (e == BytesView::npos) return {};
  return Bytes(bytes.substr(from, e - from));
}

Bytes BytesAfter(BytesView bytes, BytesView marker, bool fromLast) {
  const size_t at = fromLast ? bytes.rfind(marker) : bytes.find(marker);
  if (at == BytesView::npos) return {};
  return Bytes(bytes.substr(at + marker.size()));
}

int32_t ReadInt32At(BytesView bytes, int64_t position) {
  if (position < 1 || position > static_cast<int64_t>(bytes.size())) return 0;
  const size_t at = static_cast<size_t>(position - 1);
  uint32_t value = 0;
  for (size_t k = 0; k < 4 && at + k < bytes.size(); ++k) {
    value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + k])) << (8 * k);
  }
  return static_cast<int32_t>(value);
}

std::vector<Bytes> splitText(BytesView text, BytesView separator) {
  std::vector<Bytes> pieces;
  if (text.empty()) return pieces;
  if (separator.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  size_t from = 0;
  while (true) {
    const size_t at = gbkFind(text, separator, from);
    if (at == BytesView::npos) {
      if (from < text.size()) pieces.emplace_back(text.substr(from));
      return pieces;
    }
    pieces.emplace_back(text.substr(from, at - from));
    from = at + separator.size();
  }
}

int64_t parseLeadingInt(BytesView text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  constexpr int64_t kLimit = std::numeric_limits<int64_t>::max() / 10 - 10;
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value > kLimit) break;  // saturate: such a number is nonsense anyway
    value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

}  // namespace molan
