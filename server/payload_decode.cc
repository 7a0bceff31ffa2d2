#include "server/payload_decode.h"

namespace molan::server {
namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

bool isUnreserved(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_';
}

}  // namespace

std::optional<Bytes> percentDecode(BytesView text) {
  Bytes out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (isUnreserved(c)) {
      out += c;
    } else if (c == '+') {
      out += ' ';
    } else if (c == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
      i += 2;
    } else {
      return std::nullopt;
    }
  }
  return out;
}

std::optional<Bytes> base64Decode(BytesView text) {
  if (text.size() % 4 != 0) return std::nullopt;
  size_t padding = 0;
  if (!text.empty() && text.back() == '=') padding = (text.size() >= 2 && text[text.size() - 2] == '=') ? 2 : 1;
  Bytes out;
  out.reserve(text.size() / 4 * 3);
  for (size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    const size_t pad = last ? padding : 0;
    uint32_t word = 0;
    for (size_t k = 0; k < 4; ++k) {
      int v = 0;
      if (k >= 4 - pad) {
        if (text[i + k] != '=') return std::nullopt;
      } else {
        v = base64Value(text[i + k]);
        if (v < 0) return std::nullopt;
      }
      word = (word << 6) | static_cast<uint32_t>(v);
    }
    // Bits that the padding drops must be zero in a canonical encoding.
    if ((pad == 1 && (word & 0xFF) != 0) || (pad == 2 && (word & 0xFFFF) != 0)) return std::nullopt;
    out += static_cast<char>((word >> 16) & 0xFF);
    if (pad < 2) out += static_cast<char>((word >> 8) & 0xFF);
    if (pad < 1) out += static_cast<char>(word & 0xFF);
  }
  return out;
}

std::optional<Bytes> decodePicturePayload(BytesView payload, PayloadError* error) {
  auto fail = [error](PayloadError e) {
    if (error) *error = e;
    return std::nullopt;
  };
  if (payload.empty()) return fail(PayloadError::kEmpty);
  auto base64 = percentDecode(payload);
  if (!base64) return fail(PayloadError::kBadPercent);
  auto bytes = base64Decode(*base64);
  if (!bytes) return fail(PayloadError::kBadBase64);
  if (bytes->empty()) return fail(PayloadError::kEmpty);
  if (error) *error = PayloadError::kNone;
  return bytes;
}

BytesView payloadErrorReason(PayloadError error) {
  switch (error) {
    case PayloadError::kEmpty: return "：图片数据为空";
    case PayloadError::kBadPercent: return "：图片数据的百分号编码无效";
    case PayloadError::kBadBase64: return "：图片数据的base64编码无效";
    case PayloadError::kNone: break;
  }
  return "";
}

}  // namespace molan::server
