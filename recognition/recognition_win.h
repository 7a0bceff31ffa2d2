#pragma once
// The recognition pages' actions on Win32: request, reply display, picture
// intake, copy and export, and their registration with the shell and the
// reply dispatch.
#include <windows.h>

#include "link/bytes.h"
#include "recognition/recognition_kind.h"

namespace molan::recognition {

// Binds the five buttons of every page (shell::setCommandHandler) and the
// four reply handlers (replyDispatch). Called once at start, before the link
// opens.
void registerRecognition();
// After the main window exists: remembers it as the pages' root, lets the
// page canvases accept dropped files and takes pictures pasted with Ctrl+V.
void attachRecognitionPages(HWND mainWindow);

// 识别: login check, picture check, progress lines, request, wait. While one
// request waits, no other starts (on any page). Window thread.
void startRecognition(RecognitionKind kind);
// Whether a request is waiting for its reply.
bool recognitionWaiting();

// Runs on the network thread for a frame that begins with the kind's reply
// prefix; window changes go to the window thread one line or box at a time,
// and the mailbox is set last.
void handleRecognitionReply(RecognitionKind kind, const Bytes& frame);

// 图片: open dialog, then the file's bytes become the page's picture.
void importPicture(RecognitionKind kind);
// Stores the bytes of a file as the page's picture (unreadable: no picture).
void importPictureFile(RecognitionKind kind, const std::wstring& path);
// Ctrl+V: a bitmap on the clipboard becomes the page's picture as a 24-bit
// BMP. False (nothing changed) when the clipboard holds no bitmap.
bool pastePicture(RecognitionKind kind);

// 复制 and 导出.
void copyResult(RecognitionKind kind);
void exportResult(RecognitionKind kind);

}  // namespace molan::recognition
