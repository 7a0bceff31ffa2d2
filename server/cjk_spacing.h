#pragma once
// The Chinese model writes a blank between neighbouring Chinese characters and
// around full-width punctuation; the service's text has none there.
#include <string>
#include <string_view>

namespace molan::server {

// Removes every run of ASCII blanks that stands between two wide characters
// (CJK ideographs, kana, hangul, CJK and full-width punctuation), or that
// touches CJK or full-width punctuation on either side. Also trims blanks and
// line breaks at both ends. Input and output are UTF-8; invalid bytes are
// passed through untouched.
std::string removeCjkBlanks(std::string_view utf8);

}  // namespace molan::server
