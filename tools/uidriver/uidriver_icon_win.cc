// Which standard icon a message box shows, by comparing the pixels on screen
// with this process's own copies of the standard icons.
#include <cstdlib>

#include "tools/uidriver/uidriver_capture_win.h"
#include "tools/uidriver/uidriver_msgbox_win.h"
#include "tools/uidriver/uidriver_windows_win.h"

namespace molan::uidriver {

namespace {

struct StandardIcon {
  const wchar_t* kind;
  LPCWSTR id;
};

const StandardIcon kStandardIcons[] = {
    {L"information", IDI_INFORMATION},
    {L"warning", IDI_WARNING},
    {L"error", IDI_ERROR},
    {L"question", IDI_QUESTION},
};

// Mean absolute difference per colour channel, 0..255.
double distance(const Pixels& a, const Pixels& b) {
  if (a.bgra.size() != b.bgra.size() || a.bgra.empty()) return 255.0;
  double sum = 0;
  for (size_t i = 0; i < a.bgra.size(); ++i) {
    for (int shift = 0; shift < 24; shift += 8) {
      sum += std::abs(static_cast<int>((a.bgra[i] >> shift) & 0xFF) - static_cast<int>((b.bgra[i] >> shift) & 0xFF));
    }
  }
  return sum / (static_cast<double>(a.bgra.size()) * 3.0);
}

HWND iconStatic(HWND box) {
  for (HWND child : descendants(box)) {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (className(child) == L"Static" && (style & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child)) return child;
  }
  return nullptr;
}

}  // namespace

std::wstring messageBoxIcon(HWND box) {
  HWND icon = iconStatic(box);
  // Wine keeps an icon control without an icon in boxes that have none. The
  // handle itself means nothing in this process, but zero means no icon.
  DWORD_PTR handle = 0;
  if (!icon || (SendMessageTimeoutW(icon, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &handle) && !handle)) {
    return L"none";
  }
  RECT r{};
  GetWindowRect(icon, &r);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  // The box may still be painting its first frame: take the picture again
  // until it matches or half a second has passed.
  const Deadline deadline(500);
  const wchar_t* kind = L"unknown";
  for (;;) {
    win::UniqueBitmap shot = captureScreen(r);
    const Pixels seen = pixelsOf(shot.get(), width, height);
    if (seen.bgra.empty()) return L"unknown";
    const std::uint32_t background = seen.bgra.front();  // icon corners are transparent
    double bestDistance = 255.0;
    double secondDistance = 255.0;
    for (const StandardIcon& s : kStandardIcons) {
      const double d = distance(seen, drawIcon(LoadIconW(nullptr, s.id), width, height, background));
      if (d < bestDistance) {
        secondDistance = bestDistance;
        bestDistance = d;
        kind = s.kind;
      } else if (d < secondDistance) {
        secondDistance = d;
      }
    }
    // A clear winner: close to one icon and well apart from the next.
    if (bestDistance < 12.0 && secondDistance > bestDistance * 2 + 4.0) return kind;
    kind = L"unknown";
    if (deadline.passed()) return kind;
    Sleep(kPollMs);
  }
}

}  // namespace molan::uidriver
