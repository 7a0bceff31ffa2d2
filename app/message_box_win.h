#pragma once
// The client's message boxes: system-modal, brought to the foreground, texts
// in GBK. They may be shown from any thread (reply handlers show theirs on the
// network thread, which then waits for the user).
#include "link/bytes.h"

namespace molan::win {

enum class MessageIcon { Information, Warning, Error, Question };

// One OK button. An empty title shows "信息：".
void showMessage(BytesView text, BytesView title, MessageIcon icon);
inline void showInfo(BytesView text) { showMessage(text, "提示", MessageIcon::Information); }
inline void showWarning(BytesView text) { showMessage(text, "警告", MessageIcon::Warning); }

// OK and Cancel with Cancel preselected; true when the user chose OK.
bool askOkCancel(BytesView text, BytesView title, MessageIcon icon = MessageIcon::Question);

}  // namespace molan::win
