#include "netlib/pack_client_win.h"

#include <process.h>

#include <cstring>

namespace molan::win {
namespace {

std::atomic<HP_CONNID> gNextConnId{1};

// Waits for the worker thread to end while letting messages that other
// threads send to this thread's windows through: a handler on the worker may
// be blocked in SendMessage to a window of the thread that is stopping it.
void waitPumpingSentMessages(HANDLE thread) {
  for (;;) {
    const DWORD r = MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE);
    if (r != WAIT_OBJECT_0 + 1) return;  // ended (or the wait itself failed)
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // delivers the sent messages
  }
}

bool copyAddress(const std::string& text, USHORT port, char* out, int* length, USHORT* portOut) {
  if (text.empty() || !length) return false;
  const int needed = static_cast<int>(text.size()) + 1;
  const bool fits = out && *length >= needed;
  if (fits) std::memcpy(out, text.c_str(), static_cast<size_t>(needed));
  *length = needed;
  if (portOut) *portOut = port;
  return fits;
}

}  // namespace

bool PackClient::fail(En_HP_SocketError code, std::string desc) {
  lastError_ = code;
  lastErrorDesc_ = std::move(desc);
  return false;
}

bool PackClient::connectSocket(const char* host, USHORT port, const char* bindAddress, USHORT localPort) {
  addrinfo hints = {};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (const int rc = getaddrinfo(host, nullptr, &hints, &found); rc != 0 || !found)
    return fail(SE_INVALID_PARAM, describeSocketError("resolve remote address", rc));
  sockaddr_in remote = *reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  freeaddrinfo(found);
  remote.sin_port = htons(port);

  socket_.reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  if (!socket_) return fail(SE_SOCKET_CREATE, describeSocketError("create socket", WSAGetLastError()));
  if (bufferSize_ > 0) {
    const int size = static_cast<int>(bufferSize_);
    setsockopt(socket_.get(), SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&size), sizeof size);
    setsockopt(socket_.get(), SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&size), sizeof size);
  }
  const BOOL noDelay = TRUE;  // every pack is written whole: no reason to hold it back
  setsockopt(socket_.get(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);

  sockaddr_in local = {};
  local.sin_family = AF_INET;
  local.sin_port = htons(localPort);
  if (bindAddress && *bindAddress && inet_pton(AF_INET, bindAddress, &local.sin_addr) != 1)
    return fail(SE_INVALID_PARAM, std::string("bad bind address: ") + bindAddress);
  if (bind(socket_.get(), reinterpret_cast<const sockaddr*>(&local), sizeof local) == SOCKET_ERROR)
    return fail(SE_SOCKET_BIND, describeSocketError("bind", WSAGetLastError()));

  connId_ = gNextConnId.fetch_add(1);
  if (listener_->onPrepareConnect &&
      listener_->onPrepareConnect(this, connId_, static_cast<UINT_PTR>(socket_.get())) == HR_ERROR)
    return fail(SE_SOCKET_PREPARE, "connection refused by the prepare-connect handler");
  if (connect(socket_.get(), reinterpret_cast<const sockaddr*>(&remote), sizeof remote) == SOCKET_ERROR)
    return fail(SE_CONNECT_SERVER, describeSocketError("connect to server", WSAGetLastError()));

  remoteText_ = addressText(remote);
  remotePort_ = port;
  sockaddr_in bound = {};
  int boundSize = sizeof bound;
  getsockname(socket_.get(), reinterpret_cast<sockaddr*>(&bound), &boundSize);
  localText_ = addressText(bound);
  localPort_ = ntohs(bound.sin_port);
  return true;
}

bool PackClient::start(const char* host, USHORT port, const char* bindAddress, USHORT localPort) {
  if (!winsock_.ok()) return fail(SE_SOCKET_CREATE, "Winsock is not available");
  if (!host || !*host || port == 0) return fail(SE_INVALID_PARAM, "no remote address or port");
  if (worker_ && WaitForSingleObject(worker_.get(), 0) == WAIT_TIMEOUT)
    return fail(SE_ILLEGAL_STATE, "the client is already started");
  joinWorker();

  if (!connectSocket(host, port, bindAddress, localPort)) {
    socket_.reset();
    return false;
  }
  netEvent_.reset(WSACreateEvent());
  wakeEvent_.reset(WSACreateEvent());
  if (!netEvent_ || !wakeEvent_ ||
      WSAEventSelect(socket_.get(), netEvent_.get(), FD_READ | FD_WRITE | FD_CLOSE) == SOCKET_ERROR) {
    socket_.reset();
    return fail(SE_SOCKET_PREPARE, describeSocketError("select socket events", WSAGetLastError()));
  }
  decoder_ = PackDecoder(maxPackSize_);
  sending_.clear();
  sent_ = 0;
  closeReported_ = false;
  stopRequested_ = false;
  {
    std::lock_guard lock(mutex_);
    queue_.clear();
    state_ = State::kConnected;
  }
  unsigned id = 0;
  worker_.reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &PackClient::workerMain, this, 0, &id)));
  if (!worker_) {
    std::lock_guard lock(mutex_);
    state_ = State::kIdle;
    socket_.reset();
    return fail(SE_WORKER_THREAD_CREATE, "cannot create the worker thread");
  }
  workerId_ = id;
  lastError_ = SE_OK;
  lastErrorDesc_.clear();
  return true;
}

void PackClient::joinWorker() {
  if (!worker_) return;
  waitPumpingSentMessages(worker_.get());
  worker_.reset();
  workerId_ = 0;
  std::lock_guard lock(mutex_);
  state_ = State::kIdle;
  queue_.clear();
}

bool PackClient::stop() {
  if (!worker_) return fail(SE_ILLEGAL_STATE, "the client is not started");
  stopRequested_ = true;
  WSASetEvent(wakeEvent_.get());
  if (GetCurrentThreadId() == workerId_) return true;  // the worker ends once its handler returns
  joinWorker();
  return true;
}

bool PackClient::send(const BYTE* data, int length) {
  if (!data || length <= 0 || static_cast<size_t>(length) > maxPackSize_) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  Bytes pack = encodePack(BytesView(reinterpret_cast<const char*>(data), static_cast<size_t>(length)));
  {
    std::lock_guard lock(mutex_);
    if (state_ != State::kConnected || stopRequested_) {
      SetLastError(ERROR_INVALID_STATE);
      return false;
    }
    queue_.push_back(std::move(pack));
  }
  WSASetEvent(wakeEvent_.get());
  return true;
}

bool PackClient::localAddress(char* text, int* length, USHORT* port) const {
  return copyAddress(localText_, localPort_, text, length, port);
}

bool PackClient::remoteHost(char* text, int* length, USHORT* port) const {
  return copyAddress(remoteText_, remotePort_, text, length, port);
}

}  // namespace molan::win
