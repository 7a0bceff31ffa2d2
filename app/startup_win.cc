#include "app/startup_win.h"

#include "account/login_window_win.h"
#include "app/folders_win.h"
#include "app/gbk_win.h"
#include "app/user_config.h"
#include "link/server_link_win.h"
#include "shell/main_window_win.h"

namespace molan::app {
namespace {

// The log folder is made at start and kept; nothing is written into it.
Bytes& logFolderPath() {
  static Bytes path;
  return path;
}

void makeSettingsChain() {
  const Bytes root = appDataFolder() + "墨澜";
  const Bytes data = root + "\\墨澜客户端";
  const Bytes settings = data + "\\配置";
  ensureFolder(root, "19247622");
  ensureFolder(data, "69413432");
  ensureFolder(settings, "19409036");
  const Bytes config = settings + "\\配置.ini";
  ensureFile(config, "77071359", kUserConfigTemplate);
  setUserConfigPath(config);
}

void makeLogChain() {
  const Bytes root = appDataFolder() + "墨澜";
  const Bytes data = root + "\\墨澜客户端";
  ensureFolder(root, "94821781");
  ensureFolder(data, "95332397");
  ensureFolder(data + "\\日志", "41254370");
  logFolderPath() = data + "\\日志";
}

}  // namespace

void onMainWindowCreate(HWND mainWindow) {
  writeNetworkLibrary();
  makeSettingsChain();
  makeLogChain();
  // The old-version cleanup joins the sequence here, before the link opens.
  ServerLink::load(win::toWide(networkLibraryPath()));
  ServerLink::start();  // ends the process when the server cannot be reached
  shell::setupMainWindowShell(mainWindow);
  SetTimer(mainWindow, kStartupTimerId, 1000, nullptr);
}

bool onMainWindowClose(HWND) {
  ServerLink::stop();
  ServerLink::unload();
  DeleteFileW(win::toWide(networkLibraryPath()).c_str());
  return true;
}

void onStartupTick(HWND mainWindow) {
  KillTimer(mainWindow, kStartupTimerId);  // fires once
  // The start-up update check runs here, before the automatic login.
  if (isYes(readConfigValue(userConfigPath(), "自动登录"))) account::openLoginWindow(mainWindow);
}

}  // namespace molan::app
