#include "link/reply_dispatch.h"

namespace molan {

void ReplyDispatch::setHandler(BytesView replyName, ReplyHandler handler) {
  for (size_t i = 0; i < kCommandIndex.size(); ++i) {
    if (kCommandIndex[i].replyName == replyName) handlers_[i] = std::move(handler);
  }
}

int ReplyDispatch::dispatch(const Bytes& frame) const {
  int matched = -1;
  auto test = [&](size_t i) {
    if (!beginsWith(frame, ReplyPrefix(kCommandIndex[i].replyName))) return false;
    matched = static_cast<int>(i);
    if (handlers_[i]) handlers_[i](frame);
    return true;
  };
  for (size_t i = 0; i < kFirstChainSize; ++i) {
    if (test(i)) break;
  }
  for (size_t i = kFirstChainSize; i < kCommandIndex.size(); ++i) test(i);
  return matched;
}

ReplyDispatch& replyDispatch() {
  static ReplyDispatch dispatch;
  return dispatch;
}

}  // namespace molan
