#pragma once
// The credential rule shared by the account windows: an account name or a
// password is 8 to 16 bytes, each an ASCII letter or digit. Lengths are byte
// counts of GBK text, so a Chinese character counts 2. Also the decisions the
// account windows' box handlers take, kept free of any window so that the
// registration and new-password windows only bind them.
#include "link/bytes.h"

namespace molan {

enum class CredentialWording { Account, Password };

// Empty text when `text` satisfies the rule, else the message of the first
// rule that fails (length below 8, length above 16, a byte that is neither an
// ASCII letter nor an ASCII digit). The wording only chooses the message.
Bytes checkCredentialText(BytesView text, CredentialWording wording);

// Not empty and every byte is A-Z or a-z.
bool isAsciiLetters(BytesView text);
// Not empty and every byte is 0-9.
bool isAsciiDigits(BytesView text);

// The mark beside a credential box. A submit button passes only on Valid.
enum class ValidityMark { None, Valid, Invalid };

// What a box handler does to its mark and to the window's hint line.
struct BoxVerdict {
  ValidityMark mark = ValidityMark::None;
  bool writeHint = false;  // false: the hint line keeps its text
  Bytes hint;              // the hint line's new text when writeHint
  bool emptyBox = false;   // the box's whole text is removed
};

// A credential box changed: valid marks Valid and empties the hint; otherwise
// Invalid with the rule's message.
BoxVerdict credentialBoxChanged(BytesView text, CredentialWording wording);
// The repeat box changed: equal byte for byte with the password box or not.
BoxVerdict repeatBoxChanged(BytesView repeatText, BytesView passwordText);

enum class SecretField { Question, Answer };
inline constexpr size_t kSecretFieldMaxBytes = 50;
// The security question or answer changed: above 50 bytes the box is emptied
// and the hint says so; otherwise nothing happens (mark stays None, the hint
// keeps its text).
BoxVerdict secretBoxChanged(BytesView text, SecretField field);

// The grey text credential boxes open with, and whether getting the focus
// removes it (only while the box still holds exactly that text).
inline constexpr BytesView kCredentialInputHint = "8-16位大/小写字母、数字";
inline bool focusClearsInputHint(BytesView boxText) { return boxText == kCredentialInputHint; }

}  // namespace molan
