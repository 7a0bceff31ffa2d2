#pragma once
// The account windows' box handlers, ready to bind: each takes the controls it
// reads and writes, so the registration and new-password windows only call
// them from their EN_CHANGE / EN_SETFOCUS notifications. All run on the window
// thread.
#include <windows.h>

#include "account/credential_rules.h"

namespace molan::account {

// 编辑框_账号 / 编辑框_密码 / 编辑框_新密码 changed: checks the rule, sets the
// box's mark and writes or empties the hint line 标签_提示.
void onCredentialBoxChanged(HWND box, HWND mark, HWND hintLine, CredentialWording wording);

// 编辑框_重复密码 changed: compares with the password box byte for byte.
void onRepeatBoxChanged(HWND repeatBox, HWND passwordBox, HWND mark, HWND hintLine);

// 编辑框_安全问题 / 编辑框_安全答案 changed: above 50 bytes the box is emptied
// and the hint line says so; otherwise nothing changes.
void onSecretBoxChanged(HWND box, HWND hintLine, SecretField field);

// The grey input hint "8-16位大/小写字母、数字". `masked` boxes (passwords) show
// the hint unmasked and switch to "*" when it goes.
void showInputHint(HWND box, bool masked);
// The box got the focus: while it holds exactly the hint, empty it, make its
// text black and, for a password box, mask it. Otherwise nothing.
void onInputHintFocus(HWND box);
// The colour the box's text is drawn in (for the parent's WM_CTLCOLOREDIT).
COLORREF inputTextColor(HWND box);

// The red hint line's text colour, RGB(255, 0, 0).
COLORREF hintLineColor();

}  // namespace molan::account
