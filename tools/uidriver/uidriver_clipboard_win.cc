// The clipboard as another program sees it: the Unicode text, or with --ansi
// the text in the local code page (which Windows makes from the Unicode text
// when the owner put only that), printed as UTF-8.
#include <cstring>
#include <string>

#include "app/gbk_win.h"
#include "tools/uidriver/uidriver_commands_win.h"
#include "tools/uidriver/uidriver_output_win.h"
#include "tools/uidriver/uidriver_windows_win.h"

namespace molan::uidriver {
namespace {

// OpenClipboard fails while another program holds it: try until the deadline.
bool openClipboard(const Deadline& deadline) {
  for (;;) {
    if (OpenClipboard(nullptr)) return true;
    if (deadline.passed()) return false;
    Sleep(kPollMs);
  }
}

}  // namespace

int clipboardCommand(const Options& o) {
  const Deadline deadline(o.timeoutMs);
  if (!openClipboard(deadline)) return fail(L"the clipboard stays open in another program");
  const bool ansi = o.ansi;
  HANDLE data = GetClipboardData(ansi ? CF_TEXT : CF_UNICODETEXT);
  const void* text = data ? GlobalLock(data) : nullptr;
  std::wstring wide;
  if (text && ansi) wide = win::toWide(static_cast<const char*>(text));
  if (text && !ansi) wide = static_cast<const wchar_t*>(text);
  if (text) GlobalUnlock(data);
  CloseClipboard();
  if (!text) return fail(L"no text on the clipboard");
  writeOut(toUtf8(wide));
  return 0;
}

}  // namespace molan::uidriver

namespace molan::uidriver {

// Puts a BMP file's bitmap on the clipboard as CF_DIB (the file without its
// 14-byte file header), as a screenshot tool would.
int clipboardPictureCommand(const Options& o) {
  HANDLE file = CreateFileW(o.positional[0].c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return fail(L"cannot read " + o.positional[0]);
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD got = 0;
  const bool read = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) && got == bytes.size();
  CloseHandle(file);
  if (!read || bytes.size() <= 14 || bytes.compare(0, 2, "BM") != 0) return fail(L"not a BMP file: " + o.positional[0]);
  HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE, bytes.size() - 14);
  if (!dib) return fail(L"out of memory");
  std::memcpy(GlobalLock(dib), bytes.data() + 14, bytes.size() - 14);
  GlobalUnlock(dib);
  const Deadline deadline(o.timeoutMs);
  if (!openClipboard(deadline)) {
    GlobalFree(dib);
    return fail(L"the clipboard stays open in another program");
  }
  EmptyClipboard();
  const bool put = SetClipboardData(CF_DIB, dib) != nullptr;  // the clipboard owns the memory now
  CloseClipboard();
  if (!put) {
    GlobalFree(dib);
    return fail(L"SetClipboardData failed");
  }
  return 0;
}

}  // namespace molan::uidriver
