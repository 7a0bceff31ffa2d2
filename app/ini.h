#pragma once
// Byte-exact INI text: reading a key and changing one key while every other
// byte of the file stays as it was. Text is GBK bytes; sections and keys are
// compared exactly (ASCII letters without regard to case, as Windows does).
//
// Reading follows the Windows profile rules: blanks and tabs around keys and
// values are dropped, and a value enclosed in a pair of matching quotes loses
// them. Writing therefore encloses a value in double quotes when it would not
// read back unchanged otherwise (leading or trailing blank or tab, or a quote
// at both ends), so every value without CR, LF or NUL reads back exactly.
#include <optional>

#include "link/bytes.h"

namespace molan {

// The value of `key` in `section`, or nullopt when the section or key is absent.
std::optional<Bytes> iniGet(BytesView content, BytesView section, BytesView key);

// The content with `key` in `section` set to `value`: an existing key line is
// replaced (keeping its line end), a missing key is added at the end of its
// section, a missing section is appended. nullopt when the value holds a CR,
// LF or NUL byte, which no INI line can carry.
std::optional<Bytes> iniSet(BytesView content, BytesView section, BytesView key, BytesView value);

}  // namespace molan
