#pragma once
// The stored form of the remembered account and password (记忆账户, 记忆密码).
//
// Raw form: the text enciphered with LinkCipher (a fresh state per value),
// written as the value's bytes with no further encoding. Raw values keep
// reading exactly as they always have.
//
// The raw form cannot carry sealed bytes that hold a zero byte (the value
// would be cut there) or a CR or LF (no INI line can hold them). Such a value
// is stored in the escaped form instead: the byte kEscapedFormMark followed
// by the sealed bytes as upper-case hex pairs. The mark is the first byte the
// cipher makes of a zero byte, so no raw value of a non-empty text can begin
// with it: a raw reading of such a value would have been empty text anyway.
// Blanks and quotes at the ends of a value are the INI layer's to keep
// (app/ini.h quotes such values), so a sealed value always reads back exactly.
#include "link/bytes.h"

namespace molan {

inline constexpr char kEscapedFormMark = '9';

// The value text to store for `text`; empty text seals to empty.
Bytes sealRememberedText(BytesView text);
// The text a stored value holds, in either form; ends at its first zero byte.
Bytes openRememberedText(BytesView stored);

// Whether the raw form of these sealed bytes can be stored and read back.
bool rawFormHolds(BytesView sealed);

}  // namespace molan
