#include "shell/shadow_win.h"

#include <gtest/gtest.h>

#include <vector>

#include "shell/wintest_support_win.h"

namespace molan::shell {
namespace {

using testing::pumpMessages;

struct PushedImage {
  HWND shadow = nullptr;
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // top row first
  std::uint32_t at(int x, int y) const {
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
  int alpha(int x, int y) const { return static_cast<int>(at(x, y) >> 24); }
};
PushedImage gLast;
int gPushes = 0;

void recordImage(HWND shadow, const std::uint32_t* pixels, int width, int height) {
  gLast.shadow = shadow;
  gLast.width = width;
  gLast.height = height;
  gLast.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {  // the pushed image is bottom-up
    std::copy_n(pixels + static_cast<ptrdiff_t>(height - 1 - y) * width, width,
                gLast.pixels.begin() + static_cast<ptrdiff_t>(y) * width);
  }
  ++gPushes;
}

LRESULT CALLBACK plainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd, msg, wp, lp); }

class ShadowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = plainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MoLan.ShadowTestWindow";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassW(&wc);
    window_ = CreateWindowExW(0, wc.lpszClassName, L"shadow test", WS_POPUP | WS_VISIBLE, 100, 100, 400, 298, nullptr,
                              nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window_, nullptr);
    setShadowImageObserver(recordImage);
    gLast = {};
    gPushes = 0;
    pumpMessages();
  }
  void TearDown() override {
    setShadowImageObserver(nullptr);
    DestroyWindow(window_);
    pumpMessages();
  }
  HWND shadow() const { return static_cast<HWND>(GetPropW(window_, kShadowProp)); }
  RECT shadowRect() const {
    RECT r{};
    GetWindowRect(shadow(), &r);
    return r;
  }
  static int countShadowsOf(HWND owner) {
    struct Count {
      HWND owner;
      int n;
    } count{owner, 0};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) WINAPI -> BOOL {
          auto* c = reinterpret_cast<Count*>(lp);
          wchar_t cls[64] = {};
          GetClassNameW(hwnd, cls, 64);
          if (GetWindow(hwnd, GW_OWNER) == c->owner && lstrcmpW(cls, kShadowClass) == 0) ++c->n;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.n;
  }
  HWND window_ = nullptr;
};

TEST_F(ShadowTest, SurroundsTheWindowWithATransparentCentreAndFourRings) {
  ASSERT_TRUE(AttachShadow(window_, RGB(192, 192, 192), 4));
  ASSERT_TRUE(IsWindow(shadow()));
  const RECT r = shadowRect();
  EXPECT_EQ(r.left, 96);
  EXPECT_EQ(r.top, 96);
  EXPECT_EQ(r.right - r.left, 408);
  EXPECT_EQ(r.bottom - r.top, 306);

  ASSERT_EQ(gLast.shadow, shadow());
  ASSERT_EQ(gLast.width, 408);
  ASSERT_EQ(gLast.height, 306);
  int opaqueInside = 0;
  for (int y = 4; y < 302; ++y) {
    for (int x = 4; x < 404; ++x) opaqueInside += gLast.at(x, y) != 0;
  }
  EXPECT_EQ(opaqueInside, 0) << "pixels under the window must be fully transparent";

  // From the outside in, along the middle of each side.
  const int expected[] = {25, 50, 75, 100};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(gLast.alpha(i, 153), expected[i], 1) << "left ring " << i;
    EXPECT_NEAR(gLast.alpha(407 - i, 153), expected[i], 1) << "right ring " << i;
    EXPECT_NEAR(gLast.alpha(204, i), expected[i], 1) << "top ring " << i;
    EXPECT_NEAR(gLast.alpha(204, 305 - i), expected[i], 1) << "bottom ring " << i;
    // Premultiplied grey 192.
    const std::uint32_t px = gLast.at(i, 153);
    EXPECT_NEAR(static_cast<int>((px >> 16) & 0xFF), 192 * expected[i] / 255, 2) << i;
    EXPECT_EQ((px >> 16) & 0xFF, px & 0xFF) << i;
  }
  EXPECT_EQ(gLast.alpha(0, 0), 0) << "the rounded corner leaves the very corner clear";
}

TEST_F(ShadowTest, ShadowWindowIsLayeredClickThroughAndOwned) {
  ASSERT_TRUE(AttachShadow(window_, RGB(192, 192, 192), 4));
  const HWND s = shadow();
  const auto ex = static_cast<DWORD>(GetWindowLongPtrW(s, GWL_EXSTYLE));
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(s, GWL_STYLE));
  EXPECT_EQ(ex & (WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE),
            static_cast<DWORD>(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE));
  EXPECT_EQ(style & (WS_POPUP | WS_VISIBLE | WS_DISABLED), static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_DISABLED));
  EXPECT_EQ(GetWindow(s, GW_OWNER), window_);
  wchar_t cls[64] = {};
  GetClassNameW(s, cls, 64);
  EXPECT_STREQ(cls, L"Lumbra.Shadow");
  EXPECT_EQ(GetWindowTextLengthW(s), 0);
  EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropW(s, kShadowColorProp)), static_cast<UINT_PTR>(RGB(192, 192, 192)));
  EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropW(s, kShadowSizeProp)), 4u);
  EXPECT_NE(WindowFromPoint(POINT{98, 250}), s) << "the shadow band lets clicks through";
  EXPECT_NE(GetForegroundWindow(), s);
}

TEST_F(ShadowTest, AttachingTwiceKeepsOneShadowAndOneProcedure) {
  const LONG_PTR original = GetWindowLongPtrW(window_, GWLP_WNDPROC);
  ASSERT_TRUE(AttachShadow(window_, RGB(192, 192, 192), 4));
  const HWND first = shadow();
  const LONG_PTR installed = GetWindowLongPtrW(window_, GWLP_WNDPROC);
  EXPECT_NE(installed, original);
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(GetPropW(window_, kShadowProcProp)), original);

  ASSERT_TRUE(AttachShadow(window_, RGB(1, 2, 3), 6));
  EXPECT_EQ(shadow(), first);
  EXPECT_EQ(GetWindowLongPtrW(window_, GWLP_WNDPROC), installed);
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(GetPropW(window_, kShadowProcProp)), original);
  EXPECT_EQ(countShadowsOf(window_), 1);
  EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropW(first, kShadowColorProp)), static_cast<UINT_PTR>(RGB(1, 2, 3)));
  const RECT r = shadowRect();
  EXPECT_EQ(r.left, 94);
  EXPECT_EQ(r.right - r.left, 412);
  EXPECT_EQ(gLast.width, 412);
  EXPECT_NEAR(gLast.alpha(0, 155), 16, 1) << "size 6: step 100 / 6 = 16";
}

TEST_F(ShadowTest, SizeZeroRemovesAndSizeFourInstallsAgain) {
  const LONG_PTR original = GetWindowLongPtrW(window_, GWLP_WNDPROC);
  ASSERT_TRUE(AttachShadow(window_, RGB(192, 192, 192), 4));
  const HWND first = shadow();
  EXPECT_FALSE(AttachShadow(window_, RGB(192, 192, 192), 0));
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(GetPropW(window_, kShadowProp), nullptr);
  EXPECT_EQ(GetPropW(window_, kShadowProcProp), nullptr);
  EXPECT_EQ(GetWindowLongPtrW(window_, GWLP_WNDPROC), original);

  ASSERT_TRUE(AttachShadow(window_, RGB(192, 192, 192), 4));
  EXPECT_TRUE(IsWindow(shadow()));
  EXPECT_NE(GetWindowLongPtrW(window_, GWLP_WNDPROC), original);
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(GetPropW(window_, kShadowProcProp)), original);
  EXPECT_EQ(countShadowsOf(window_), 1);
}

TEST_F(ShadowTest, RefusesWhatIsNoWindow) {
  EXPECT_FALSE(AttachShadow(nullptr, RGB(192, 192, 192), 4));
  EXPECT_FALSE(AttachShadow(reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234)), RGB(192, 192, 192), 4));
}

TEST_F(ShadowTest, FollowsMovesAndHidesWhileMaximisedOrHidden) {
  ASSERT_TRUE(AttachShadow(window_, RGB(192, 192, 192), 4));
  SetWindowPos(window_, nullptr, 200, 150, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT r = shadowRect();
  EXPECT_EQ(r.left, 196);
  EXPECT_EQ(r.top, 146);
  EXPECT_EQ(r.right - r.left, 508);
  EXPECT_EQ(r.bottom - r.top, 308);

  ShowWindow(window_, SW_MAXIMIZE);
  pumpMessages();
  EXPECT_FALSE(IsWindowVisible(shadow()));
  ShowWindow(window_, SW_RESTORE);
  pumpMessages();
  EXPECT_TRUE(IsWindowVisible(shadow()));
  r = shadowRect();
  EXPECT_EQ(r.left, 196);
  EXPECT_EQ(r.top, 146);
  EXPECT_EQ(r.right - r.left, 508);

  ShowWindow(window_, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(shadow()));
  ShowWindow(window_, SW_SHOWNA);
  EXPECT_TRUE(IsWindowVisible(shadow()));
  ShowWindow(window_, SW_MINIMIZE);
  pumpMessages();
  EXPECT_FALSE(IsWindowVisible(shadow()));
}

TEST_F(ShadowTest, DestroyingTheWindowDestroysItsShadow) {
  ASSERT_TRUE(AttachShadow(window_, RGB(192, 192, 192), 4));
  const HWND s = shadow();
  DestroyWindow(window_);
  window_ = nullptr;
  EXPECT_FALSE(IsWindow(s));
}

// Frame border.

struct DestroySeen {
  LONG_PTR procAtDestroy = 0;
  bool colorLeft = true, procLeft = true;
};
DestroySeen gDestroy;

LRESULT CALLBACK recordingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    gDestroy.procAtDestroy = GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
    gDestroy.colorLeft = GetPropW(hwnd, kBorderColorProp) != nullptr;
    gDestroy.procLeft = GetPropW(hwnd, kBorderProcProp) != nullptr;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

TEST_F(ShadowTest, FrameBorderTakesItselfOutOnDestroy) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = recordingProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"MoLan.BorderTestChild";
  RegisterClassW(&wc);
  const HWND child = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 10, 10, 100, 50, window_,
                                     nullptr, wc.hInstance, nullptr);
  ASSERT_NE(child, nullptr);
  AttachFrameBorder(child, RGB(177, 230, 252));
  const LONG_PTR bordered = GetWindowLongPtrW(child, GWLP_WNDPROC);
  EXPECT_NE(bordered, reinterpret_cast<LONG_PTR>(&recordingProc));
  AttachFrameBorder(child, RGB(1, 1, 1));  // once only
  EXPECT_EQ(GetWindowLongPtrW(child, GWLP_WNDPROC), bordered);
  EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropW(child, kBorderColorProp)), static_cast<UINT_PTR>(RGB(177, 230, 252)));
  gDestroy = {};
  DestroyWindow(child);
  EXPECT_EQ(gDestroy.procAtDestroy, reinterpret_cast<LONG_PTR>(&recordingProc));
  EXPECT_FALSE(gDestroy.colorLeft);
  EXPECT_FALSE(gDestroy.procLeft);
}

TEST_F(ShadowTest, BorderedEditKeepsItsBorderAfterScrolling) {
  const HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL,
                                    20, 20, 240, 120, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  std::wstring text;
  for (int i = 0; i < 60; ++i) text += L"第 " + std::to_wstring(i) + L" 行 line\r\n";
  SetWindowTextW(edit, text.c_str());
  AttachFrameBorder(edit, RGB(177, 230, 252));
  const std::uint32_t border = testing::rgbOf(RGB(177, 230, 252));
  auto check = [&](const char* when) {
    UpdateWindow(edit);
    pumpMessages();
    const testing::Pixels px = testing::windowPixels(edit);
    ASSERT_EQ(px.width, 240) << when;
    for (const POINT p : {POINT{0, 60}, POINT{239, 60}, POINT{120, 0}, POINT{120, 119}, POINT{0, 0}, POINT{239, 119}}) {
      EXPECT_EQ(px.at(p.x, p.y), border) << when << " at " << p.x << "," << p.y;
    }
  };
  RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  check("after a repaint");
  SendMessageW(edit, WM_VSCROLL, SB_PAGEDOWN, 0);
  check("after a page down");
  SendMessageW(edit, EM_LINESCROLL, 0, 3);
  check("after scrolling three lines");
  DestroyWindow(edit);
}

}  // namespace
}  // namespace molan::shell
