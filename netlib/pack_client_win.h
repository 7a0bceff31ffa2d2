#pragma once
// The pack client behind HPSocket4C.dll's C functions: one TCP connection,
// one worker thread that reads, writes and calls every event handler after
// the connect.
//
// Threads: start, stop, destruction and the settings belong to the owner's
// thread; send may be called from any thread, handlers included. The worker
// owns the socket once started and is the only one to close it. Stop may be
// called from a handler (it then only asks the worker to end); destroying the
// client from one of its own handlers is not allowed.
#include <atomic>
#include <deque>
#include <mutex>
#include <string>

#include "link/bytes.h"
#include "netlib/hpsocket4c.h"
#include "netlib/pack_codec.h"
#include "netlib/socket_win.h"

namespace molan::win {

// The six event handlers a listener holds (null = not set).
struct ClientListener {
  HP_FN_Client_OnPrepareConnect onPrepareConnect = nullptr;
  HP_FN_Client_OnConnect onConnect = nullptr;
  HP_FN_Client_OnHandShake onHandShake = nullptr;
  HP_FN_Client_OnSend onSend = nullptr;
  HP_FN_Client_OnReceive onReceive = nullptr;
  HP_FN_Client_OnClose onClose = nullptr;
};

class PackClient {
 public:
  explicit PackClient(const ClientListener* listener) : listener_(listener) {}
  ~PackClient() { stop(); }
  PackClient(const PackClient&) = delete;
  PackClient& operator=(const PackClient&) = delete;

  void setMaxPackSize(DWORD size) { maxPackSize_ = size == 0 || size > kPackLengthLimit ? kPackLengthLimit : size; }
  void setSocketBufferSize(DWORD size) { bufferSize_ = size; }

  bool start(const char* host, USHORT port, const char* bindAddress, USHORT localPort);
  bool stop();
  bool send(const BYTE* data, int length);

  En_HP_SocketError lastError() const { return lastError_; }
  const char* lastErrorDesc() const { return lastErrorDesc_.c_str(); }
  bool localAddress(char* text, int* length, USHORT* port) const;
  bool remoteHost(char* text, int* length, USHORT* port) const;

 private:
  enum class State { kIdle, kConnected, kClosed };

  bool fail(En_HP_SocketError code, std::string desc);
  bool connectSocket(const char* host, USHORT port, const char* bindAddress, USHORT localPort);
  void joinWorker();
  static unsigned __stdcall workerMain(void* self);
  void work();
  bool receive();
  bool deliver();
  bool flushSends();
  void finish(En_HP_SocketOperation operation, int errorCode);

  const ClientListener* listener_;
  WinsockSession winsock_;
  size_t maxPackSize_ = kPackLengthLimit;
  DWORD bufferSize_ = 0;
  En_HP_SocketError lastError_ = SE_OK;
  std::string lastErrorDesc_;

  UniqueSocket socket_;
  UniqueWsaEvent netEvent_;   // socket readiness (WSAEventSelect)
  UniqueWsaEvent wakeEvent_;  // a send was queued, or stop was asked
  UniqueKernelHandle worker_;
  DWORD workerId_ = 0;
  HP_CONNID connId_ = 0;
  std::string localText_, remoteText_;
  USHORT localPort_ = 0, remotePort_ = 0;

  std::atomic<bool> stopRequested_{false};
  std::mutex mutex_;  // guards state_ and queue_
  State state_ = State::kIdle;
  std::deque<Bytes> queue_;  // whole packs waiting for the worker

  // Worker-only from here on.
  PackDecoder decoder_{kPackLengthLimit};
  Bytes sending_;  // the pack being written
  size_t sent_ = 0;
  bool closeReported_ = false;
};

}  // namespace molan::win
