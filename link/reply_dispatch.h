#pragma once
// Hands each deciphered reply to the handler of its command. The first eight
// reply names form one chain (the first match ends it); the last four are
// tested afterwards for every frame. A frame that begins with no known prefix
// is dropped. Handlers run on the network library's thread.
#include <array>
#include <functional>

#include "link/frame.h"

namespace molan {

using ReplyHandler = std::function<void(const Bytes& frame)>;

class ReplyDispatch {
 public:
  // Registers the handler of one reply name of the command index; a name that
  // is not in the index is ignored. Register before the link starts.
  void setHandler(BytesView replyName, ReplyHandler handler);
  // Runs at most one handler; returns the index (0-11) of the reply matched,
  // or -1 when the frame begins with no known prefix.
  int dispatch(const Bytes& frame) const;

 private:
  std::array<ReplyHandler, kCommandIndex.size()> handlers_;
};

// The process-wide dispatch used by ServerLink::onReceive.
ReplyDispatch& replyDispatch();

}  // namespace molan
