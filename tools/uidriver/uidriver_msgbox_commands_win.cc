// Subcommands on the current message box: reading it and pressing a button.
#include "tools/uidriver/uidriver_commands_win.h"
#include "tools/uidriver/uidriver_msgbox_win.h"
#include "tools/uidriver/uidriver_output_win.h"
#include "tools/uidriver/uidriver_windows_win.h"

namespace molan::uidriver {

namespace {

int noBox(const Options& o) {
  return fail(L"no message box" + (o.title.empty() ? std::wstring() : L" titled \"" + o.title + L"\"") + L" within " +
              std::to_wstring(o.timeoutMs) + L" ms");
}

}  // namespace

int msgboxCommand(const Options& o) {
  const MessageBoxView box = waitMessageBox(o.title, o.timeoutMs);
  if (!box.hwnd) return noBox(o);
  std::string buttons;
  for (const MessageBoxButton& b : box.buttons) {
    if (!buttons.empty()) buttons += ", ";
    buttons += "{\"id\": " + std::to_string(b.id) + ", \"caption\": " + jsonString(b.caption) + "}";
  }
  writeOut("{\"title\": " + jsonString(box.title) + ", \"text\": " + jsonString(box.text) + ", \"icon\": " +
           jsonString(box.icon) + ", \"buttons\": [" + buttons + "]}\n");
  return 0;
}

// Presses with a posted BM_CLICK (a sent one stalls about 2 s under Wine),
// then waits until the box has gone.
int msgboxPressCommand(const Options& o) {
  const Deadline deadline(o.timeoutMs);
  const MessageBoxView box = waitMessageBox(o.title, o.timeoutMs);
  if (!box.hwnd) return noBox(o);
  const MessageBoxButton* button = findButton(box, o.positional[0]);
  if (!button) return fail(L"the message box \"" + box.title + L"\" has no button \"" + o.positional[0] + L"\"");
  if (!PostMessageW(button->hwnd, BM_CLICK, 0, 0)) return fail(L"cannot post BM_CLICK");
  for (;;) {
    if (!IsWindow(box.hwnd) || !IsWindowVisible(box.hwnd)) return 0;
    if (deadline.passed()) break;
    Sleep(kPollMs);
  }
  return fail(L"the message box \"" + box.title + L"\" is still shown after pressing \"" + button->caption + L"\"");
}

}  // namespace molan::uidriver
