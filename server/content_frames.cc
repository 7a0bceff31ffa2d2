#include "server/content_frames.h"

#include <algorithm>
#include <cstdint>

#include "link/frame.h"

namespace molan::server {
namespace {

constexpr BytesView kDownloadReply = "取新版本客户端返回";

Bytes le32(uint32_t v) {
  Bytes out(4, '\0');
  for (int i = 0; i < 4; ++i) out[static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return out;
}

Bytes chunkHead(BytesView fileName, uint32_t size) {
  Bytes head = ReplyPrefix(kDownloadReply);
  head += "正在传文件";
  head += kSeparator;
  head += "文件大小：" + le32(size);
  head += kSeparator;
  head += "文件名：";
  head += fileName;
  head += kSeparator;
  return head;
}

bool nameUsable(BytesView name) {
  if (name.empty() || name.find(kSeparator) != BytesView::npos) return false;
  return std::none_of(name.begin(), name.end(), [](char c) { return c == '\0' || c == '/' || c == '\\'; });
}

}  // namespace

Bytes versionReply(BytesView version, bool forced) {
  return buildFrame("取推送版本号返回",
                    {Bytes("客户端最新版本：") + Bytes(version), Bytes("是否强制更新：") + (forced ? "是" : "否")});
}

std::optional<std::vector<Bytes>> downloadReplies(BytesView fileName, BytesView content, size_t chunkSize) {
  if (!nameUsable(fileName) || content.size() > 0x7FFFFFFF) return std::nullopt;
  const auto size = static_cast<uint32_t>(content.size());
  const Bytes head = chunkHead(fileName, size);
  Bytes nameMark(fileName);
  nameMark += kSeparator;
  if (head.find(nameMark) != head.size() - nameMark.size()) return std::nullopt;

  chunkSize = std::clamp<size_t>(chunkSize, 1, kMaxPackSize - head.size());
  std::vector<Bytes> frames;
  frames.push_back(buildFrame(kDownloadReply, {"传文件准备", Bytes("文件名：") + Bytes(fileName),
                                               Bytes("文件大小：") + le32(size),
                                               Bytes("发送的块大小：") + le32(static_cast<uint32_t>(chunkSize))}));
  for (size_t at = 0; at < content.size(); at += chunkSize) {
    frames.push_back(head + Bytes(content.substr(at, chunkSize)));
  }
  frames.push_back(
      buildFrame(kDownloadReply, {"传文件结束", Bytes("文件名：") + Bytes(fileName), Bytes("文件大小：") + le32(size)}));
  return frames;
}

Bytes announcementReply(BytesView gbkText) {
  Bytes text;
  text.reserve(gbkText.size());
  for (size_t i = 0; i < gbkText.size(); ++i) {
    if (gbkText.compare(i, kSeparator.size(), kSeparator) == 0) {
      i += kSeparator.size() - 1;
      continue;
    }
    const char c = gbkText[i];
    if (c == '\0') continue;
    if (c == '\n' && (text.empty() || text.back() != '\r')) text += '\r';
    text += c;
  }
  Bytes frame = buildFrame("取公告返回", {"开始发送公告文件"});
  frame += text;
  return frame;
}

}  // namespace molan::server
