#include "app/theme_win.h"

#include <map>
#include <mutex>
#include <tuple>

#include "app/win_handles.h"

namespace molan::win::theme {

HFONT uiFont(int pixelHeight, int weight, bool underline) {
  static std::mutex mutex;
  static std::map<std::tuple<int, int, bool>, UniqueFont> fonts;
  std::lock_guard lock(mutex);
  auto& slot = fonts[{pixelHeight, weight, underline}];
  if (!slot) {
    slot.reset(CreateFontW(-pixelHeight, 0, 0, 0, weight, FALSE, underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kFontFace));
  }
  return slot.get();
}

}  // namespace molan::win::theme
