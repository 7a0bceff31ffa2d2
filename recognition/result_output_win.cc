// 复制 and 导出: the result box's current text to the clipboard (as Unicode
// text; Windows serves it as ANSI text too) or to a GBK text file.
#include <windows.h>

#include <cstring>
#include <memory>

#include "app/control_names_win.h"
#include "app/gbk_win.h"
#include "app/message_box_win.h"
#include "recognition/files_win.h"
#include "recognition/page_controls_win.h"
#include "recognition/recognition_win.h"
#include "recognition/result_output_win.h"

namespace molan::recognition {
namespace {

struct GlobalFreer {
  void operator()(void* block) const { GlobalFree(block); }
};

constexpr wchar_t kSaveFilter[] = L"TXT files(*.txt)\0*.txt\0";

std::wstring wideText(HWND box) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
  return text;
}


}  // namespace

bool putTextOnClipboard(HWND owner, const std::wstring& text) {
  const size_t size = (text.size() + 1) * sizeof(wchar_t);
  std::unique_ptr<void, GlobalFreer> block(GlobalAlloc(GMEM_MOVEABLE, size));
  if (!block) return false;
  void* p = GlobalLock(block.get());
  if (!p) return false;
  std::memcpy(p, text.c_str(), size);
  GlobalUnlock(block.get());
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  const bool taken = SetClipboardData(CF_UNICODETEXT, block.get()) != nullptr;
  CloseClipboard();
  if (taken) block.release();  // the clipboard owns it now
  return taken;
}

std::wstring exportPathFor(const std::wstring& chosenName) { return chosenName + L".txt"; }

void copyResult(RecognitionKind kind) {
  const std::wstring text = wideText(pageResultBox(kind));
  if (text.empty()) {
    win::showInfo("没有数据可复制");
    return;
  }
  if (!putTextOnClipboard(recognitionRoot(), text)) {
    win::showWarning("剪辑板正被其他程序占用，未能复制识别结果，请稍后重试");
    return;
  }
  win::showInfo("已将右侧结果文本复制到剪辑板");
}

void exportResult(RecognitionKind kind) {
  const Bytes text = win::windowTextGbk(pageResultBox(kind));
  if (text.empty()) {
    win::showInfo("没有数据可导出到文档");
    return;
  }
  const std::wstring chosen = chooseFile(recognitionRoot(), FileDialog::Save, kSaveFilter);
  if (chosen.empty()) return;
  const std::wstring path = exportPathFor(chosen);
  if (!writeWholeFile(path, text)) {
    win::showWarning("无法写入文档，导出失败：" + win::toGbk(path));
    return;
  }
  win::showInfo("已成功导出到文档：" + win::toGbk(path));
}

}  // namespace molan::recognition
