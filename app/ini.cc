#include "app/ini.h"

#include <vector>

namespace molan {
namespace {

struct Line {
  size_t begin;    // first byte of the line
  size_t end;      // one past the last byte before the line end
  size_t next;     // first byte of the next line
};

std::vector<Line> splitLines(BytesView c) {
  std::vector<Line> lines;
  size_t i = 0;
  while (i < c.size()) {
    const size_t nl = c.find('\n', i);
    const size_t stop = nl == BytesView::npos ? c.size() : nl;
    const size_t end = (stop > i && c[stop - 1] == '\r') ? stop - 1 : stop;
    lines.push_back({i, end, nl == BytesView::npos ? c.size() : nl + 1});
    i = lines.back().next;
  }
  return lines;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

BytesView trim(BytesView s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool sameName(BytesView a, BytesView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// The section name of a "[name]" line, or nullopt for other lines.
std::optional<BytesView> sectionName(BytesView line) {
  line = trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const size_t close = line.find(']');
  if (close == BytesView::npos) return std::nullopt;
  return trim(line.substr(1, close - 1));
}

struct KeyLine {
  BytesView key;
  BytesView rawValue;
};
std::optional<KeyLine> keyLine(BytesView line) {
  const size_t eq = line.find('=');
  if (eq == BytesView::npos) return std::nullopt;
  return KeyLine{trim(line.substr(0, eq)), line.substr(eq + 1)};
}

Bytes readValue(BytesView raw) {
  BytesView v = trim(raw);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return Bytes(v);
}

Bytes storedValue(BytesView value) {
  const bool edgeBlank = !value.empty() && (isBlank(value.front()) || isBlank(value.back()));
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
  if (!edgeBlank && !quoted) return Bytes(value);
  Bytes out = "\"";
  out.append(value).append("\"");
  return out;
}

// Index of the section's header line, and of the line that ends the section.
struct SectionSpan {
  size_t header;
  size_t end;
};
std::optional<SectionSpan> findSection(BytesView c, const std::vector<Line>& lines, BytesView section) {
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto name = sectionName(c.substr(lines[i].begin, lines[i].end - lines[i].begin));
    if (!name || !sameName(*name, section)) continue;
    size_t j = i + 1;
    while (j < lines.size() && !sectionName(c.substr(lines[j].begin, lines[j].end - lines[j].begin))) ++j;
    return SectionSpan{i, j};
  }
  return std::nullopt;
}

}  // namespace

std::optional<Bytes> iniGet(BytesView content, BytesView section, BytesView key) {
  const auto lines = splitLines(content);
  const auto span = findSection(content, lines, section);
  if (!span) return std::nullopt;
  for (size_t i = span->header + 1; i < span->end; ++i) {
    const auto kl = keyLine(content.substr(lines[i].begin, lines[i].end - lines[i].begin));
    if (kl && sameName(kl->key, key)) return readValue(kl->rawValue);
  }
  return std::nullopt;
}

std::optional<Bytes> iniSet(BytesView content, BytesView section, BytesView key, BytesView value) {
  if (value.find_first_of(BytesView("\r\n\0", 3)) != BytesView::npos) return std::nullopt;
  Bytes newLine(key);
  newLine.append("=").append(storedValue(value));

  const auto lines = splitLines(content);
  const auto span = findSection(content, lines, section);
  Bytes out;
  if (!span) {
    out.assign(content);
    if (!out.empty() && out.back() != '\n') out.append("\r\n");
    out.append("[").append(section).append("]\r\n").append(newLine).append("\r\n");
    return out;
  }
  for (size_t i = span->header + 1; i < span->end; ++i) {
    const auto kl = keyLine(content.substr(lines[i].begin, lines[i].end - lines[i].begin));
    if (!kl || !sameName(kl->key, key)) continue;
    out.assign(content.substr(0, lines[i].begin));
    out.append(newLine);
    out.append(content.substr(lines[i].end));  // the line end and everything after
    return out;
  }
  // Add the key after the section's last non-blank line.
  size_t after = span->header;
  for (size_t i = span->header + 1; i < span->end; ++i) {
    if (!trim(content.substr(lines[i].begin, lines[i].end - lines[i].begin)).empty()) after = i;
  }
  const Line& l = lines[after];
  out.assign(content.substr(0, l.next));
  if (l.next == l.end) out.append("\r\n");  // the last line had no line end
  out.append(newLine).append("\r\n");
  out.append(content.substr(l.next));
  return out;
}

}  // namespace molan
