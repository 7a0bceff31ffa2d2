#include "netlib/hpsocket4c_api_win.h"

namespace molan {
namespace {

template <typename Fn>
void bind(HMODULE module, const char* name, Fn& slot, std::vector<std::string>& missing) {
  // GetProcAddress returns a generic function pointer; go through void* to
  // the real signature, which the library exports under this name.
  slot = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  if (!slot) missing.push_back(name);
}

}  // namespace

std::vector<std::string> bindHpSocketApi(HMODULE m, HpSocketApi& api) {
  std::vector<std::string> missing;
  bind(m, "Create_HP_TcpPackClientListener", api.createListener, missing);
  bind(m, "Destroy_HP_TcpPackClientListener", api.destroyListener, missing);
  bind(m, "Create_HP_TcpPackClient", api.createClient, missing);
  bind(m, "Destroy_HP_TcpPackClient", api.destroyClient, missing);
  bind(m, "HP_TcpPackClient_SetMaxPackSize", api.setMaxPackSize, missing);
  bind(m, "HP_TcpClient_SetSocketBufferSize", api.setSocketBufferSize, missing);
  bind(m, "HP_Set_FN_Client_OnPrepareConnect", api.setOnPrepareConnect, missing);
  bind(m, "HP_Set_FN_Client_OnConnect", api.setOnConnect, missing);
  bind(m, "HP_Set_FN_Client_OnHandShake", api.setOnHandShake, missing);
  bind(m, "HP_Set_FN_Client_OnSend", api.setOnSend, missing);
  bind(m, "HP_Set_FN_Client_OnReceive", api.setOnReceive, missing);
  bind(m, "HP_Set_FN_Client_OnClose", api.setOnClose, missing);
  bind(m, "HP_Client_StartWithBindAddressAndLocalPort", api.start, missing);
  bind(m, "HP_Client_Stop", api.stop, missing);
  bind(m, "HP_Client_Send", api.send, missing);
  bind(m, "HP_Client_GetLastError", api.getLastError, missing);
  bind(m, "HP_Client_GetLastErrorDesc", api.getLastErrorDesc, missing);
  bind(m, "HP_Client_GetLocalAddress", api.getLocalAddress, missing);
  bind(m, "HP_Client_GetRemoteHost", api.getRemoteHost, missing);
  return missing;
}

}  // namespace molan
