#include "app/message_box_win.h"

#include <windows.h>

#include "app/gbk_win.h"

namespace molan::win {
namespace {

UINT iconFlag(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return MB_ICONINFORMATION;
    case MessageIcon::Warning: return MB_ICONWARNING;
    case MessageIcon::Error: return MB_ICONERROR;
    case MessageIcon::Question: return MB_ICONQUESTION;
  }
  return 0;
}

int show(BytesView text, BytesView title, UINT flags) {
  const std::wstring t = toWide(title.empty() ? BytesView("信息：") : title);
  return MessageBoxW(nullptr, toWide(text).c_str(), t.c_str(), flags | MB_SYSTEMMODAL | MB_SETFOREGROUND);
}

}  // namespace

void showMessage(BytesView text, BytesView title, MessageIcon icon) { show(text, title, MB_OK | iconFlag(icon)); }

bool askOkCancel(BytesView text, BytesView title, MessageIcon icon) {
  return show(text, title, MB_OKCANCEL | MB_DEFBUTTON2 | iconFlag(icon)) == IDOK;
}

}  // namespace molan::win
