// encodeBase64 on Windows: CryptoAPI's encoder without line breaks.
#include <windows.h>
#include <wincrypt.h>

#include <climits>

#include "recognition/picture_payload.h"

namespace molan {

Bytes encodeBase64(BytesView bytes) {
  if (bytes.empty() || bytes.size() > UINT_MAX / 2) return {};
  const auto* data = reinterpret_cast<const BYTE*>(bytes.data());
  const auto size = static_cast<DWORD>(bytes.size());
  constexpr DWORD kFlags = CRYPT_STRING_BASE64 | CRYPT_STRING_NOCRLF;
  DWORD length = 0;
  if (!CryptBinaryToStringA(data, size, kFlags, nullptr, &length)) return {};
  Bytes out(length, '\0');
  if (!CryptBinaryToStringA(data, size, kFlags, out.data(), &length)) return {};
  // The encoder counts and writes a terminating zero byte; only the base64
  // characters are kept.
  out.resize(untilNul(out).size());
  return out;
}

}  // namespace molan
