#pragma once
// The functions of HPSocket4C.dll as a program that loads it at run time sees
// them: one pointer per export, bound by name. Used by the client's
// ServerLink and by the library's own tests, which load it the same way.
#include <string>
#include <vector>

#include "netlib/hpsocket4c.h"

namespace molan {

struct HpSocketApi {
  decltype(&Create_HP_TcpPackClientListener) createListener = nullptr;
  decltype(&Destroy_HP_TcpPackClientListener) destroyListener = nullptr;
  decltype(&Create_HP_TcpPackClient) createClient = nullptr;
  decltype(&Destroy_HP_TcpPackClient) destroyClient = nullptr;
  decltype(&HP_TcpPackClient_SetMaxPackSize) setMaxPackSize = nullptr;
  decltype(&HP_TcpClient_SetSocketBufferSize) setSocketBufferSize = nullptr;
  decltype(&HP_Set_FN_Client_OnPrepareConnect) setOnPrepareConnect = nullptr;
  decltype(&HP_Set_FN_Client_OnConnect) setOnConnect = nullptr;
  decltype(&HP_Set_FN_Client_OnHandShake) setOnHandShake = nullptr;
  decltype(&HP_Set_FN_Client_OnSend) setOnSend = nullptr;
  decltype(&HP_Set_FN_Client_OnReceive) setOnReceive = nullptr;
  decltype(&HP_Set_FN_Client_OnClose) setOnClose = nullptr;
  decltype(&HP_Client_StartWithBindAddressAndLocalPort) start = nullptr;
  decltype(&HP_Client_Stop) stop = nullptr;
  decltype(&HP_Client_Send) send = nullptr;
  decltype(&HP_Client_GetLastError) getLastError = nullptr;
  decltype(&HP_Client_GetLastErrorDesc) getLastErrorDesc = nullptr;
  decltype(&HP_Client_GetLocalAddress) getLocalAddress = nullptr;
  decltype(&HP_Client_GetRemoteHost) getRemoteHost = nullptr;
};

// Binds every function from the loaded library; returns the names of the
// exports it lacks (empty when all are there).
std::vector<std::string> bindHpSocketApi(HMODULE module, HpSocketApi& api);

}  // namespace molan
