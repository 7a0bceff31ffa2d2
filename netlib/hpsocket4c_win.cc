// The exported C functions of HPSocket4C.dll: each only checks its handles and
// forwards to PackClient or the listener record. Nothing throws across this
// boundary: every call that may allocate catches and reports failure instead.
#include "netlib/hpsocket4c.h"

#include <new>

#include "netlib/pack_client_win.h"

using molan::win::ClientListener;
using molan::win::PackClient;

namespace {

PackClient* clientOf(HP_Client client) { return static_cast<PackClient*>(client); }
ClientListener* listenerOf(HP_TcpClientListener listener) { return static_cast<ClientListener*>(listener); }

template <typename Fn>
void setHandler(HP_TcpClientListener listener, Fn ClientListener::*slot, Fn fn) {
  if (listener) listenerOf(listener)->*slot = fn;
}

}  // namespace

extern "C" {

HP_TcpPackClientListener __stdcall Create_HP_TcpPackClientListener(void) {
  return new (std::nothrow) ClientListener();
}

void __stdcall Destroy_HP_TcpPackClientListener(HP_TcpPackClientListener listener) { delete listenerOf(listener); }

HP_TcpPackClient __stdcall Create_HP_TcpPackClient(HP_TcpClientListener listener) {
  if (!listener) return nullptr;
  return new (std::nothrow) PackClient(listenerOf(listener));
}

void __stdcall Destroy_HP_TcpPackClient(HP_TcpPackClient client) { delete clientOf(client); }

void __stdcall HP_TcpPackClient_SetMaxPackSize(HP_TcpPackClient client, DWORD maxPackSize) {
  if (client) clientOf(client)->setMaxPackSize(maxPackSize);
}

void __stdcall HP_TcpClient_SetSocketBufferSize(HP_Client client, DWORD bufferSize) {
  if (client) clientOf(client)->setSocketBufferSize(bufferSize);
}

void __stdcall HP_Set_FN_Client_OnPrepareConnect(HP_TcpClientListener listener, HP_FN_Client_OnPrepareConnect fn) {
  setHandler(listener, &ClientListener::onPrepareConnect, fn);
}
void __stdcall HP_Set_FN_Client_OnConnect(HP_TcpClientListener listener, HP_FN_Client_OnConnect fn) {
  setHandler(listener, &ClientListener::onConnect, fn);
}
void __stdcall HP_Set_FN_Client_OnHandShake(HP_TcpClientListener listener, HP_FN_Client_OnHandShake fn) {
  setHandler(listener, &ClientListener::onHandShake, fn);
}
void __stdcall HP_Set_FN_Client_OnSend(HP_TcpClientListener listener, HP_FN_Client_OnSend fn) {
  setHandler(listener, &ClientListener::onSend, fn);
}
void __stdcall HP_Set_FN_Client_OnReceive(HP_TcpClientListener listener, HP_FN_Client_OnReceive fn) {
  setHandler(listener, &ClientListener::onReceive, fn);
}
void __stdcall HP_Set_FN_Client_OnClose(HP_TcpClientListener listener, HP_FN_Client_OnClose fn) {
  setHandler(listener, &ClientListener::onClose, fn);
}

// The connect is always synchronous: asyncConnect is accepted and ignored.
BOOL __stdcall HP_Client_StartWithBindAddressAndLocalPort(HP_Client client, LPCSTR remoteAddress, USHORT port,
                                                          BOOL /*asyncConnect*/, LPCSTR bindAddress,
                                                          USHORT localPort) {
  if (!client) return FALSE;
  try {
    return clientOf(client)->start(remoteAddress, port, bindAddress, localPort);
  } catch (...) {
    return FALSE;
  }
}

BOOL __stdcall HP_Client_Stop(HP_Client client) { return client && clientOf(client)->stop(); }

BOOL __stdcall HP_Client_Send(HP_Client client, const BYTE* buffer, int length) {
  if (!client) return FALSE;
  try {
    return clientOf(client)->send(buffer, length);
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
}

En_HP_SocketError __stdcall HP_Client_GetLastError(HP_Client client) {
  return client ? clientOf(client)->lastError() : SE_INVALID_PARAM;
}

LPCSTR __stdcall HP_Client_GetLastErrorDesc(HP_Client client) {
  return client ? clientOf(client)->lastErrorDesc() : "no client";
}

BOOL __stdcall HP_Client_GetLocalAddress(HP_Client client, char address[], int* length, USHORT* port) {
  return client && clientOf(client)->localAddress(address, length, port);
}

BOOL __stdcall HP_Client_GetRemoteHost(HP_Client client, char host[], int* length, USHORT* port) {
  return client && clientOf(client)->remoteHost(host, length, port);
}

}  // extern "C"
