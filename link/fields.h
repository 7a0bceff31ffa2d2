#pragma once
// Field functions that cut values out of deciphered replies. All are pure and
// never read outside their input: a missing marker gives an empty result and an
// out-of-range position gives 0.
#include <cstdint>
#include <vector>

#include "link/bytes.h"

namespace molan {

// Position of the first occurrence of `needle` in `text` at or after `from`,
// matching only at GBK character boundaries: a byte of 0x81 or more and the
// byte after it are stepped over as one character. `from` must itself be a
// character boundary. Returns npos when absent; an empty needle matches at `from`.
size_t gbkFind(BytesView text, BytesView needle, size_t from = 0);

// Text between the first start marker and the next end marker after it, on
// text (cut at its first zero byte), with GBK character stepping. In both
// markers every "#引号" stands for a double quote.
Bytes TextBetween(BytesView text, BytesView startMarker, BytesView endMarker);

// The same on bytes: plain byte search, no "#引号" replacement.
Bytes BytesBetween(BytesView bytes, BytesView startMarker, BytesView endMarker);

// The bytes after the first (or, with fromLast, the last) occurrence of `marker`.
Bytes BytesAfter(BytesView bytes, BytesView marker, bool fromLast = false);

// Up to four bytes at 1-based `position` as a little-endian integer (missing
// high bytes are zero); 0 when the position is below 1 or past the end.
int32_t ReadInt32At(BytesView bytes, int64_t position = 1);

// Splits text at every occurrence of `separator` (GBK stepping). An empty piece
// before a separator counts; an empty rest after the last separator does not;
// empty text gives no piece; text without the separator gives one piece.
std::vector<Bytes> splitText(BytesView text, BytesView separator);

// Decimal integer as the reply readers take it: leading blanks skipped, an
// optional sign, then digits up to the first other character; no digits give 0.
// Saturates instead of overflowing.
int64_t parseLeadingInt(BytesView text);

}  // namespace molan
