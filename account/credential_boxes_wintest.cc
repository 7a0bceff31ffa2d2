// The box handlers and validity marks on real controls, as the registration
// and new-password windows will bind them.
#include "account/credential_boxes_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "account/login_window_wintest_support.h"
#include "account/validity_mark_win.h"
#include "app/control_names_win.h"
#include "app/win_handles.h"

namespace molan::account {
namespace {

class CredentialBoxesTest : public testing::LoginWindowFixture {
 protected:
  void SetUp() override {
    LoginWindowFixture::SetUp();
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    ASSERT_TRUE(registerValidityMarkClass(instance));
    parent_ = CreateWindowExW(0, L"Static", L"boxes", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                              instance, nullptr);
    auto make = [&](const wchar_t* cls, DWORD style, int y, int w) {
      return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 10, y, w, 24, parent_, nullptr, instance,
                             nullptr);
    };
    box_ = make(L"Edit", ES_AUTOHSCROLL, 10, 200);
    password_ = make(L"Edit", ES_AUTOHSCROLL, 40, 200);
    mark_ = make(kValidityMarkClass, 0, 70, kValidityMarkSize);
    hint_ = make(L"Static", 0, 100, 200);
  }
  void TearDown() override {
    DestroyWindow(parent_);
    LoginWindowFixture::TearDown();
  }
  std::wstring text(HWND h) const { return windowText(h); }

  HWND parent_ = nullptr, box_ = nullptr, password_ = nullptr, mark_ = nullptr, hint_ = nullptr;
};

TEST_F(CredentialBoxesTest, CredentialBoxSetsMarkAndHint) {
  EXPECT_EQ(validityMarkOf(mark_), ValidityMark::None);
  SetWindowTextW(box_, L"abc");
  onCredentialBoxChanged(box_, mark_, hint_, CredentialWording::Account);
  EXPECT_EQ(validityMarkOf(mark_), ValidityMark::Invalid);
  EXPECT_EQ(text(hint_), L"账号文本长度不能小于8位");
  SetWindowTextW(box_, L"abc12345");
  onCredentialBoxChanged(box_, mark_, hint_, CredentialWording::Account);
  EXPECT_EQ(validityMarkOf(mark_), ValidityMark::Valid);
  EXPECT_EQ(text(hint_), L"");
  SetWindowTextW(box_, L"密码密码");
  onCredentialBoxChanged(box_, mark_, hint_, CredentialWording::Password);
  EXPECT_EQ(text(hint_), L"密码文本仅支持大写字母A-Z、小写字母a-z、数字0-9");
}

TEST_F(CredentialBoxesTest, RepeatBoxKeepsItsMarkWhenThePasswordChangesLater) {
  SetWindowTextW(password_, L"Passw0rd");
  SetWindowTextW(box_, L"passw0rd");
  onRepeatBoxChanged(box_, password_, mark_, hint_);
  EXPECT_EQ(validityMarkOf(mark_), ValidityMark::Invalid);
  EXPECT_EQ(text(hint_), L"两次输入的密码不一致");
  SetWindowTextW(box_, L"Passw0rd");
  onRepeatBoxChanged(box_, password_, mark_, hint_);
  EXPECT_EQ(validityMarkOf(mark_), ValidityMark::Valid);
  SetWindowTextW(password_, L"Other123");  // only the repeat box's own change re-evaluates
  EXPECT_EQ(validityMarkOf(mark_), ValidityMark::Valid);
}

TEST_F(CredentialBoxesTest, SecretBoxesEmptyAboveFiftyBytes) {
  SetWindowTextW(hint_, L"earlier");
  SetWindowTextW(box_, std::wstring(50, L'q').c_str());
  onSecretBoxChanged(box_, hint_, SecretField::Question);
  EXPECT_EQ(text(box_), std::wstring(50, L'q'));
  EXPECT_EQ(text(hint_), L"earlier");
  SetWindowTextW(box_, (std::wstring(25, L'问') + L"x").c_str());  // 51 bytes
  onSecretBoxChanged(box_, hint_, SecretField::Question);
  EXPECT_EQ(text(box_), L"");
  EXPECT_EQ(text(hint_), L"安全问题长度超出限制");
}

TEST_F(CredentialBoxesTest, InputHintGoesOnFirstFocusAndNeverComesBack) {
  showInputHint(password_, true);
  EXPECT_EQ(text(password_), L"8-16位大/小写字母、数字");
  EXPECT_EQ(SendMessageW(password_, EM_GETPASSWORDCHAR, 0, 0), 0);
  EXPECT_EQ(inputTextColor(password_), RGB(192, 192, 192));
  onInputHintFocus(password_);
  EXPECT_EQ(text(password_), L"");
  EXPECT_EQ(SendMessageW(password_, EM_GETPASSWORDCHAR, 0, 0), L'*');
  EXPECT_EQ(inputTextColor(password_), RGB(0, 0, 0));
  SetWindowTextW(password_, L"typed123");
  onInputHintFocus(password_);
  EXPECT_EQ(text(password_), L"typed123");

  showInputHint(box_, false);
  SetWindowTextW(box_, L"abc12345");  // typed over without the hint being removed by focus
  onInputHintFocus(box_);
  EXPECT_EQ(text(box_), L"abc12345");
}

// The pictures: a green disc with a white tick, a red disc with a white cross.
TEST_F(CredentialBoxesTest, MarkPicturesAreDrawn) {
  struct Case {
    ValidityMark state;
    COLORREF disc;  // expected colour near the top of the disc
  };
  const Case cases[] = {{ValidityMark::Valid, RGB(34, 177, 76)}, {ValidityMark::Invalid, RGB(232, 44, 44)}};
  for (const Case& c : cases) {
    win::WindowDc screen(nullptr);
    win::UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    win::UniqueBitmap image(CreateCompatibleBitmap(screen.get(), 24, 24));
    win::SelectObjectScope keep(dc.get(), image.get());
    const RECT area{0, 0, 24, 24};
    FillRect(dc.get(), &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    drawValidityMark(dc.get(), area, c.state);
    EXPECT_EQ(GetPixel(dc.get(), 12, 4), c.disc);
    EXPECT_EQ(GetPixel(dc.get(), 0, 0), RGB(255, 255, 255));  // outside the disc
  }
  // The cross meets in the middle; the tick leaves the middle green.
  win::WindowDc screen(nullptr);
  win::UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
  win::UniqueBitmap image(CreateCompatibleBitmap(screen.get(), 24, 24));
  win::SelectObjectScope keep(dc.get(), image.get());
  const RECT area{0, 0, 24, 24};
  drawValidityMark(dc.get(), area, ValidityMark::Invalid);
  EXPECT_EQ(GetPixel(dc.get(), 12, 12), RGB(255, 255, 255));
  drawValidityMark(dc.get(), area, ValidityMark::Valid);
  EXPECT_EQ(GetPixel(dc.get(), 12, 6), RGB(34, 177, 76));
}

}  // namespace
}  // namespace molan::account
