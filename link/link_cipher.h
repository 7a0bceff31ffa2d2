#pragma once
// RC4 under the fixed link key. Every call starts from a fresh key schedule,
// so enciphering and deciphering are the same operation and frames are
// independent of each other.
#include "link/bytes.h"

namespace molan {

class LinkCipher {
 public:
  // Enciphers or deciphers a whole byte string; the result has the same length.
  static Bytes apply(BytesView data);
  // In place, for large frames that need no copy.
  static void applyInPlace(char* data, size_t size);
};

// Plain text of a stored cipher text written as hex pairs each followed by a
// comma ("8A,0F,"); the plain bytes end at their first zero byte.
Bytes decodeHexList(BytesView hexList);
// The stored form of a plain text: LinkCipher applied, then each byte as two
// upper-case hex digits and a comma. Used by the build to hide the endpoint.
Bytes encodeHexList(BytesView plain);

}  // namespace molan
