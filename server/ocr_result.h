#pragma once
// What the engine hands back for one picture: its text lines with their boxes,
// grouped into paragraphs. Texts are UTF-8, boxes in pixels of the picture as
// the client sent it.
#include <string>
#include <vector>

namespace molan::server {

struct OcrLine {
  std::string text;  // UTF-8, no line break, blanks between Chinese characters removed
  int top = 0, left = 0, width = 0, height = 0;
  bool operator==(const OcrLine&) const = default;
};

struct OcrResult {
  std::vector<OcrLine> lines;
  // Each paragraph lists the 0-based indexes of its lines, in reading order.
  std::vector<std::vector<int>> paragraphs;
  bool operator==(const OcrResult&) const = default;
};

}  // namespace molan::server
