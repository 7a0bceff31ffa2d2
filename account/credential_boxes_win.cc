#include "account/credential_boxes_win.h"

#include "account/validity_mark_win.h"
#include "app/control_names_win.h"
#include "app/theme_win.h"

namespace molan::account {
namespace {

// Set while a box shows the grey hint; the value says whether it masks later.
constexpr wchar_t kHintProp[] = L"MoLan.InputHint";
constexpr UINT_PTR kHintMasked = 2;
constexpr UINT_PTR kHintPlain = 1;
constexpr wchar_t kMaskChar = L'*';

void apply(const BoxVerdict& verdict, HWND box, HWND mark, HWND hintLine) {
  if (mark) setValidityMark(mark, verdict.mark);
  if (verdict.writeHint && hintLine) win::setWindowTextGbk(hintLine, verdict.hint);
  if (verdict.emptyBox && box) SetWindowTextW(box, L"");
}

}  // namespace

void onCredentialBoxChanged(HWND box, HWND mark, HWND hintLine, CredentialWording wording) {
  apply(credentialBoxChanged(win::windowTextGbk(box), wording), box, mark, hintLine);
}

void onRepeatBoxChanged(HWND repeatBox, HWND passwordBox, HWND mark, HWND hintLine) {
  apply(repeatBoxChanged(win::windowTextGbk(repeatBox), win::windowTextGbk(passwordBox)), repeatBox, mark, hintLine);
}

void onSecretBoxChanged(HWND box, HWND hintLine, SecretField field) {
  apply(secretBoxChanged(win::windowTextGbk(box), field), box, nullptr, hintLine);
}

void showInputHint(HWND box, bool masked) {
  SetPropW(box, kHintProp, reinterpret_cast<HANDLE>(masked ? kHintMasked : kHintPlain));
  SendMessageW(box, EM_SETPASSWORDCHAR, 0, 0);
  win::setWindowTextGbk(box, kCredentialInputHint);
  InvalidateRect(box, nullptr, TRUE);
}

void onInputHintFocus(HWND box) {
  const auto hint = reinterpret_cast<UINT_PTR>(GetPropW(box, kHintProp));
  if (!hint || !focusClearsInputHint(win::windowTextGbk(box))) return;
  // The hint never comes back once it has gone.
  RemovePropW(box, kHintProp);
  if (hint == kHintMasked) SendMessageW(box, EM_SETPASSWORDCHAR, kMaskChar, 0);
  SetWindowTextW(box, L"");
  InvalidateRect(box, nullptr, TRUE);
}

COLORREF inputTextColor(HWND box) {
  return GetPropW(box, kHintProp) ? win::theme::kHintText : RGB(0, 0, 0);
}

COLORREF hintLineColor() { return win::theme::kErrorText; }

}  // namespace molan::account
