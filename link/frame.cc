#include "link/frame.h"

namespace molan {

Bytes buildFrame(BytesView command, std::initializer_list<BytesView> fields) {
  size_t size = kFrameTags.size() + command.size() + kSeparator.size();
  for (BytesView f : fields) size += f.size() + kSeparator.size();
  Bytes frame;
  frame.reserve(size);
  frame.append(kFrameTags).append(command).append(kSeparator);
  for (BytesView f : fields) frame.append(f).append(kSeparator);
  return frame;
}

Bytes ReplyPrefix(BytesView replyName) { return buildFrame(replyName); }

bool beginsWith(BytesView frame, BytesView prefix) {
  return frame.size() >= prefix.size() && frame.compare(0, prefix.size(), prefix) == 0;
}

bool hasStatus(BytesView frame, BytesView replyName, BytesView status, bool open) {
  Bytes prefix = ReplyPrefix(replyName);
  prefix.append(status);
  if (!open) prefix.append(kSeparator);
  return beginsWith(frame, prefix);
}

Bytes replyNameOf(BytesView command) {
  Bytes name(command);
  name.append("返回");
  return name;
}

}  // namespace molan
