#include "link/server_link_win.h"

#include <atomic>
#include <string>

#include "app/message_box_win.h"
#include "link/build_settings.h"
#include "link/fields.h"
#include "link/link_cipher.h"
#include "link/link_log.h"
#include "link/reply_dispatch.h"
#include "netlib/hpsocket4c_api_win.h"

namespace molan {
namespace {

// The loaded library and one forwarding pointer per function, bound by name.
struct NetLibrary : HpSocketApi {
  HMODULE module = nullptr;
};

NetLibrary gLib;
std::atomic<int> gLinkState{0};
// Written on the window thread (start, stop); read by send on the same thread.
HP_TcpPackClient gClient = nullptr;
HP_TcpPackClientListener gListener = nullptr;


void logAddress(const char* title, decltype(&HP_Client_GetLocalAddress) get, HP_Client sender) {
  char text[64] = {};
  int length = sizeof(text);
  USHORT port = 0;
  if (get && get(sender, text, &length, &port)) LinkLog(title, Bytes(text) + ":" + std::to_string(port));
}

En_HP_HandleResult __stdcall onPrepareConnect(HP_Client, HP_CONNID, UINT_PTR) {
  LinkLog("准备连接", "");
  return HR_OK;
}
En_HP_HandleResult __stdcall onConnect(HP_Client sender, HP_CONNID) {
  logAddress("连接成功", gLib.getLocalAddress, sender);
  return HR_OK;
}
En_HP_HandleResult __stdcall onHandShake(HP_Client sender, HP_CONNID) {
  logAddress("握手完成", gLib.getRemoteHost, sender);
  return HR_OK;
}
En_HP_HandleResult __stdcall onSend(HP_Client, HP_CONNID, const BYTE*, int length) {
  LinkLog("发送数据", std::to_string(length));
  return HR_OK;
}
En_HP_HandleResult __stdcall onReceive(HP_Client, HP_CONNID, const BYTE* data, int length) {
  if (data && length > 0) {
    Bytes frame(reinterpret_cast<const char*>(data), static_cast<size_t>(length));
    LinkCipher::applyInPlace(frame.data(), frame.size());
    replyDispatch().dispatch(frame);
  }
  return HR_OK;
}
En_HP_HandleResult __stdcall onClose(HP_Client, HP_CONNID, En_HP_SocketOperation operation, int errorCode) {
  // A lost connection changes nothing: no message, no reconnection.
  LinkLog("连接关闭", std::to_string(operation) + "/" + std::to_string(errorCode));
  return HR_OK;
}

[[noreturn]] void failAndExit(BytesView message) {
  win::showMessage(message, "信息：", win::MessageIcon::Warning);
  ExitProcess(0);
}

}  // namespace

bool ServerLink::load(const std::wstring& dllPath) {
  if (gLib.module) return true;
  HMODULE m = LoadLibraryW(dllPath.c_str());
  if (!m) return false;
  NetLibrary lib;
  lib.module = m;
  const bool ok = bindHpSocketApi(m, lib).empty();
  if (!ok) {
    FreeLibrary(m);
    return false;
  }
  gLib = lib;
  return true;
}

void ServerLink::start() {
  const Bytes host = decodeHexList(buildSettings().hostHexList);
  const auto port = static_cast<USHORT>(parseLeadingInt(decodeHexList(buildSettings().portHexList)));
  gLinkState = 3;
  if (!gLib.module) failAndExit("创建CLIENT组件失败");
  gListener = gLib.createListener();
  gClient = gListener ? gLib.createClient(gListener) : nullptr;
  if (!gListener || !gClient) failAndExit("创建CLIENT组件失败");
  gLib.setMaxPackSize(gClient, kMaxPackSize);
  gLib.setSocketBufferSize(gClient, 0x400000);
  gLib.setOnPrepareConnect(gListener, onPrepareConnect);
  gLib.setOnConnect(gListener, onConnect);
  gLib.setOnHandShake(gListener, onHandShake);
  gLib.setOnSend(gListener, onSend);
  gLib.setOnReceive(gListener, onReceive);
  gLib.setOnClose(gListener, onClose);
  if (gLib.start(gClient, host.c_str(), port, FALSE, "0.0.0.0", 0)) return;

  const char* desc = gLib.getLastErrorDesc(gClient);
  LinkLog("启动服务", Bytes(desc ? desc : "") + " (" + std::to_string(gLib.getLastError(gClient)) + ")");
  gLib.destroyClient(gClient);
  gLib.destroyListener(gListener);
  gClient = nullptr;
  gListener = nullptr;
  failAndExit("启动客户端失败，错误信息在日志框输出");
}

bool ServerLink::send(BytesView frame) {
  if (gLinkState != 3 || !gClient) return false;
  if (frame.empty() || frame.size() > kMaxPackSize) return false;
  Bytes cipher = LinkCipher::apply(frame);
  return gLib.send(gClient, reinterpret_cast<const BYTE*>(cipher.data()), static_cast<int>(cipher.size()));
}

void ServerLink::stop() {
  if (gLinkState != 3 || !gClient) return;
  gLib.stop(gClient);
  gLib.destroyClient(gClient);
  gClient = nullptr;
}

int ServerLink::state() { return gLinkState; }

void ServerLink::unload() {
  if (gClient) return;  // still in use
  if (gListener) {
    gLib.destroyListener(gListener);
    gListener = nullptr;
  }
  if (gLib.module) FreeLibrary(gLib.module);
  gLib = NetLibrary{};
}

}  // namespace molan
