#pragma once
// C interface of our HPSocket4C.dll: a TCP client in pack mode. Every pack on
// the wire is a 4-byte little-endian header (flag << 22) | body length, then
// the body. The client loads the DLL at run time and binds these functions by
// name (GetProcAddress); the names are exported undecorated, __stdcall.
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef void* HP_Client;                  // a pack client; also HP_TcpPackClient
typedef void* HP_TcpPackClient;
typedef void* HP_TcpClientListener;       // the event handlers of a client
typedef void* HP_TcpPackClientListener;
typedef ULONG_PTR HP_CONNID;

typedef enum { HR_OK = 0, HR_IGNORE = 1, HR_ERROR = 2 } En_HP_HandleResult;

// Why a connection closed (reported to OnClose).
typedef enum {
  SO_UNKNOWN = 0, SO_ACCEPT = 1, SO_CONNECT = 2, SO_SEND = 3, SO_RECEIVE = 4, SO_CLOSE = 5
} En_HP_SocketOperation;

// Error codes of the last failure (HP_Client_GetLastError).
typedef enum {
  SE_OK = 0, SE_ILLEGAL_STATE = 1, SE_INVALID_PARAM = 2, SE_SOCKET_CREATE = 3,
  SE_SOCKET_BIND = 4, SE_SOCKET_PREPARE = 5, SE_SOCKET_LISTEN = 6, SE_CP_CREATE = 7,
  SE_WORKER_THREAD_CREATE = 8, SE_DETECT_THREAD_CREATE = 9, SE_SOCKE_ATTACH_TO_CP = 10,
  SE_CONNECT_SERVER = 11, SE_NETWORK = 12, SE_DATA_PROC = 13, SE_DATA_SEND = 14
} En_HP_SocketError;

typedef En_HP_HandleResult(__stdcall* HP_FN_Client_OnPrepareConnect)(HP_Client sender, HP_CONNID connId, UINT_PTR socket);
typedef En_HP_HandleResult(__stdcall* HP_FN_Client_OnConnect)(HP_Client sender, HP_CONNID connId);
typedef En_HP_HandleResult(__stdcall* HP_FN_Client_OnHandShake)(HP_Client sender, HP_CONNID connId);
typedef En_HP_HandleResult(__stdcall* HP_FN_Client_OnSend)(HP_Client sender, HP_CONNID connId, const BYTE* data, int length);
typedef En_HP_HandleResult(__stdcall* HP_FN_Client_OnReceive)(HP_Client sender, HP_CONNID connId, const BYTE* data, int length);
typedef En_HP_HandleResult(__stdcall* HP_FN_Client_OnClose)(HP_Client sender, HP_CONNID connId, En_HP_SocketOperation operation, int errorCode);

// Create/destroy. A client keeps a pointer to its listener: destroy the
// client before the listener.
HP_TcpPackClientListener __stdcall Create_HP_TcpPackClientListener(void);
void __stdcall Destroy_HP_TcpPackClientListener(HP_TcpPackClientListener listener);
HP_TcpPackClient __stdcall Create_HP_TcpPackClient(HP_TcpClientListener listener);
void __stdcall Destroy_HP_TcpPackClient(HP_TcpPackClient client);  // stops it first

// Settings, before the start. Max pack size is capped at 0x3FFFFF (the header's
// 22-bit length); socket buffer size sets SO_RCVBUF/SO_SNDBUF.
void __stdcall HP_TcpPackClient_SetMaxPackSize(HP_TcpPackClient client, DWORD maxPackSize);
void __stdcall HP_TcpClient_SetSocketBufferSize(HP_Client client, DWORD bufferSize);

// Event handlers, set on the listener before the start. OnPrepareConnect runs
// on the thread that calls the start, before the connect; every other handler
// runs on the client's one worker thread, one event after another: OnConnect
// and OnHandShake first, then OnReceive with exactly one whole body per call,
// OnSend once a pack has been written whole, and OnClose exactly once when
// the connection ends (peer close, network error, a received header with
// length 0, above the maximum or with flag bits set, or Stop). A handler that
// returns HR_ERROR closes the connection (HR_ERROR from OnPrepareConnect fails
// the start). A handler may call Send and Stop, but never Destroy.
void __stdcall HP_Set_FN_Client_OnPrepareConnect(HP_TcpClientListener listener, HP_FN_Client_OnPrepareConnect fn);
void __stdcall HP_Set_FN_Client_OnConnect(HP_TcpClientListener listener, HP_FN_Client_OnConnect fn);
void __stdcall HP_Set_FN_Client_OnHandShake(HP_TcpClientListener listener, HP_FN_Client_OnHandShake fn);
void __stdcall HP_Set_FN_Client_OnSend(HP_TcpClientListener listener, HP_FN_Client_OnSend fn);
void __stdcall HP_Set_FN_Client_OnReceive(HP_TcpClientListener listener, HP_FN_Client_OnReceive fn);
void __stdcall HP_Set_FN_Client_OnClose(HP_TcpClientListener listener, HP_FN_Client_OnClose fn);

// Connects synchronously (asyncConnect is ignored: TRUE is returned only once
// connected) and starts the worker thread. Host and bind address are ANSI text;
// the host may be a name or an IPv4 address. On failure GetLastError and
// GetLastErrorDesc tell why (SE_CONNECT_SERVER with the Winsock text when the
// server cannot be reached). A stopped or closed client may be started again.
BOOL __stdcall HP_Client_StartWithBindAddressAndLocalPort(HP_Client client, LPCSTR remoteAddress, USHORT port,
                                                          BOOL asyncConnect, LPCSTR bindAddress, USHORT localPort);
// Closes the connection and joins the worker thread. While it waits it lets
// messages sent from the worker thread to the caller's windows through, so a
// handler blocked in SendMessage to the caller never deadlocks the stop.
// OnClose is told (SO_CLOSE) if the connection was still open. FALSE when the
// client was never started or is already stopped.
BOOL __stdcall HP_Client_Stop(HP_Client client);
// Copies the body and queues it as one pack; returns at once (packs go out
// whole, in the order queued). FALSE when not connected, or the length is 0 or
// above the maximum pack size; the reason is then in the thread's Windows
// last error (ERROR_INVALID_STATE or ERROR_INVALID_PARAMETER).
BOOL __stdcall HP_Client_Send(HP_Client client, const BYTE* buffer, int length);

En_HP_SocketError __stdcall HP_Client_GetLastError(HP_Client client);
LPCSTR __stdcall HP_Client_GetLastErrorDesc(HP_Client client);
// Address texts; *length is the buffer size in, the text length + 1 out.
BOOL __stdcall HP_Client_GetLocalAddress(HP_Client client, char address[], int* length, USHORT* port);
BOOL __stdcall HP_Client_GetRemoteHost(HP_Client client, char host[], int* length, USHORT* port);

#ifdef __cplusplus
}
#endif
