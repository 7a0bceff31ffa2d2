// The clipboard as another program sees it: the Unicode text, or with --ansi
// the text in the local code page (which Windows makes from the Unicode text
// when the owner put only that), printed as UTF-8.
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
