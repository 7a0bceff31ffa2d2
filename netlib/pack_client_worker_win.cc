// The worker thread of a pack client: reports the connect, then waits on the
// socket's events and the wake event, reads packs and hands each whole body
// to OnReceive, writes the queued packs one after another (so packs never
// interleave) and reports each with OnSend, and ends the connection exactly
// once with OnClose.
#include "netlib/pack_client_win.h"

namespace molan::win {
namespace {

constexpr int kReadChunk = 64 * 1024;
constexpr int kWriteChunk = 1024 * 1024;

}  // namespace

unsigned __stdcall PackClient::workerMain(void* self) {
  auto* client = static_cast<PackClient*>(self);
  try {
    client->work();
  } catch (...) {  // out of memory: end the connection rather than the process
    client->finish(SO_UNKNOWN, ERROR_NOT_ENOUGH_MEMORY);
  }
  return 0;
}

void PackClient::work() {
  if ((listener_->onConnect && listener_->onConnect(this, connId_) == HR_ERROR) ||
      (listener_->onHandShake && listener_->onHandShake(this, connId_) == HR_ERROR)) {
    finish(SO_CONNECT, ERROR_CONNECTION_ABORTED);
    return;
  }
  const WSAEVENT events[2] = {netEvent_.get(), wakeEvent_.get()};
  for (;;) {
    if (stopRequested_) return finish(SO_CLOSE, 0);
    WSAWaitForMultipleEvents(2, events, FALSE, WSA_INFINITE, FALSE);
    WSAResetEvent(wakeEvent_.get());
    if (stopRequested_) return finish(SO_CLOSE, 0);
    WSANETWORKEVENTS happened = {};
    if (WSAEnumNetworkEvents(socket_.get(), netEvent_.get(), &happened) == SOCKET_ERROR)
      return finish(SO_UNKNOWN, WSAGetLastError());
    if ((happened.lNetworkEvents & (FD_READ | FD_CLOSE)) && !receive()) return;
    if (!flushSends()) return;
    if (happened.lNetworkEvents & FD_CLOSE) return finish(SO_CLOSE, happened.iErrorCode[FD_CLOSE_BIT]);
  }
}

// Reads everything the socket holds. False when the connection has ended
// (then already reported).
bool PackClient::receive() {
  char buffer[kReadChunk];
  for (;;) {
    const int n = recv(socket_.get(), buffer, kReadChunk, 0);
    if (n == 0) {
      finish(SO_CLOSE, 0);
      return false;
    }
    if (n == SOCKET_ERROR) {
      const int code = WSAGetLastError();
      if (code == WSAEWOULDBLOCK) return true;
      finish(SO_RECEIVE, code);
      return false;
    }
    decoder_.feed(BytesView(buffer, static_cast<size_t>(n)));
    if (!deliver()) return false;
  }
}

// Hands every complete body to OnReceive, one per call. A bad header closes
// the connection after the bodies that came before it.
bool PackClient::deliver() {
  while (auto body = decoder_.next()) {
    if (stopRequested_) {
      finish(SO_CLOSE, 0);
      return false;
    }
    if (listener_->onReceive &&
        listener_->onReceive(this, connId_, reinterpret_cast<const BYTE*>(body->data()),
                             static_cast<int>(body->size())) == HR_ERROR) {
      finish(SO_RECEIVE, ERROR_CONNECTION_ABORTED);
      return false;
    }
  }
  if (decoder_.failed()) {
    finish(SO_RECEIVE, ERROR_INVALID_DATA);
    return false;
  }
  return true;
}

// Writes queued packs until the queue is empty or the socket is full (FD_WRITE
// then wakes the worker again). False when the connection has ended.
bool PackClient::flushSends() {
  for (;;) {
    if (stopRequested_) {
      finish(SO_CLOSE, 0);
      return false;
    }
    if (sending_.empty()) {
      std::lock_guard lock(mutex_);
      if (queue_.empty()) return true;
      sending_ = std::move(queue_.front());
      queue_.pop_front();
      sent_ = 0;
    }
    const size_t left = sending_.size() - sent_;
    const int n = ::send(socket_.get(), sending_.data() + sent_, left > kWriteChunk ? kWriteChunk : static_cast<int>(left), 0);
    if (n == SOCKET_ERROR) {
      const int code = WSAGetLastError();
      if (code == WSAEWOULDBLOCK) return true;
      finish(SO_SEND, code);
      return false;
    }
    sent_ += static_cast<size_t>(n);
    if (sent_ == sending_.size()) {
      const Bytes pack = std::move(sending_);
      sending_.clear();
      if (listener_->onSend &&
          listener_->onSend(this, connId_, reinterpret_cast<const BYTE*>(pack.data()) + kPackHeaderSize,
                            static_cast<int>(pack.size() - kPackHeaderSize)) == HR_ERROR) {
        finish(SO_SEND, ERROR_CONNECTION_ABORTED);
        return false;
      }
    }
  }
}

// Ends the connection: later sends are refused, the socket is closed, and
// OnClose is told once.
void PackClient::finish(En_HP_SocketOperation operation, int errorCode) {
  {
    std::lock_guard lock(mutex_);
    state_ = State::kClosed;
    queue_.clear();
  }
  socket_.reset();
  sending_.clear();
  if (closeReported_) return;
  closeReported_ = true;
  if (listener_->onClose) listener_->onClose(this, connId_, operation, errorCode);
}

}  // namespace molan::win
