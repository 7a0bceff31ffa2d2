#pragma once
// RAII owners for the Win32 handles the client uses. Each owns exactly one
// handle, frees it with the matching call, and cannot be copied (only moved).
#include <windows.h>

#include <utility>

namespace molan::win {

template <typename H, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(H h) : h_(h) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Traits::invalid())) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, Traits::invalid());
    }
    return *this;
  }
  H get() const { return h_; }
  explicit operator bool() const { return h_ != Traits::invalid(); }
  H release() { return std::exchange(h_, Traits::invalid()); }
  void reset(H h = Traits::invalid()) {
    if (h_ != Traits::invalid()) Traits::close(h_);
    h_ = h;
  }

 private:
  H h_ = Traits::invalid();
};

struct KernelHandleTraits {  // events, threads, processes
  static HANDLE invalid() { return nullptr; }
  static void close(HANDLE h) { CloseHandle(h); }
};
struct FileHandleTraits {  // CreateFile results
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { CloseHandle(h); }
};
struct FindHandleTraits {
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { FindClose(h); }
};
template <typename G>
struct GdiObjectTraits {  // HBITMAP, HFONT, HBRUSH, HPEN, HRGN
  static G invalid() { return nullptr; }
  static void close(G h) { DeleteObject(h); }
};
struct MemoryDcTraits {  // CreateCompatibleDC
  static HDC invalid() { return nullptr; }
  static void close(HDC h) { DeleteDC(h); }
};
struct ModuleTraits {
  static HMODULE invalid() { return nullptr; }
  static void close(HMODULE h) { FreeLibrary(h); }
};
struct IconTraits {
  static HICON invalid() { return nullptr; }
  static void close(HICON h) { DestroyIcon(h); }
};
struct MenuTraits {
  static HMENU invalid() { return nullptr; }
  static void close(HMENU h) { DestroyMenu(h); }
};

using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueFile = UniqueHandle<HANDLE, FileHandleTraits>;
using UniqueFind = UniqueHandle<HANDLE, FindHandleTraits>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<HPEN, GdiObjectTraits<HPEN>>;
using UniqueRegion = UniqueHandle<HRGN, GdiObjectTraits<HRGN>>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;

// A device context from GetDC/GetWindowDC, released to its window.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd, bool wholeWindow = false)
      : hwnd_(hwnd), dc_(wholeWindow ? GetWindowDC(hwnd) : GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint/EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
  ~PaintDc() { EndPaint(hwnd_, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const { return dc_; }
  const PAINTSTRUCT& paint() const { return ps_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// Selects a GDI object into a DC for the scope and puts the previous one back.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ~SelectObjectScope() { SelectObject(dc_, old_); }
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace molan::win
