#pragma once
// For the LoginWindow tests: a private 配置.ini, GDI+ and the window thread
// set up, message boxes answered, and small helpers that act on controls by
// design name as a user (or a UI-automation tool) would.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/message_box_catcher_wintest.h"
#include "link/bytes.h"

namespace molan::account::testing {

using win::testing::CaughtBox;
using win::testing::MessageBoxCatcher;
using win::testing::pumpMessages;

class LoginWindowFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // A new LoginWindow (no owner), remembered for closing at the end.
  HWND open();
  void closeAll();

  static HWND named(HWND root, const wchar_t* name);
  static std::wstring windowText(HWND hwnd);
  bool checked(HWND window, const wchar_t* name) const;
  // BM_CLICK, as a mouse click would: check boxes toggle, then notify.
  void click(HWND window, const wchar_t* name) const;
  void type(HWND window, const wchar_t* name, const wchar_t* text) const;
  static bool underlined(HWND control);

  // The raw sealed form of a text whose cipher bytes need no escaping.
  static Bytes plainSealed(BytesView text);
  // The settings file as the client writes it: the template's four lines.
  static Bytes configBytes(BytesView remember, BytesView autoLogin, BytesView account, BytesView password);
  Bytes settingsFile() const;
  void writeSettings(BytesView bytes) const;

  MessageBoxCatcher catcher_;

 private:
  std::wstring folder_;
  std::wstring file_;
  std::vector<HWND> windows_;
};

}  // namespace molan::account::testing
