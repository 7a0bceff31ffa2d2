#include "tools/uidriver/uidriver_output_win.h"

#include <cstdio>

namespace molan::uidriver {

std::string toUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring fromUtf8(std::string_view text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

namespace {
void writeTo(DWORD which, std::string_view bytes) {
  // WriteFile on the raw handle: no C runtime text-mode translation of "\n".
  const HANDLE h = GetStdHandle(which);
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written == 0) return;
    bytes.remove_prefix(written);
  }
}
}  // namespace

void writeOut(std::string_view utf8) { writeTo(STD_OUTPUT_HANDLE, utf8); }
void writeErr(std::string_view utf8) { writeTo(STD_ERROR_HANDLE, utf8); }

std::string jsonString(std::wstring_view text) {
  std::string out = "\"";
  for (char c : toUtf8(text)) {
    const auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (u < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", u);
          out += buf;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string jsonRect(const RECT& r) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "[%ld, %ld, %ld, %ld]", r.left, r.top, r.right, r.bottom);
  return buf;
}

int fail(std::wstring_view message) {
  writeErr("uidriver: " + toUtf8(message) + "\n");
  return kExitFailure;
}

}  // namespace molan::uidriver
