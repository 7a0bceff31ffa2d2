// 取推送版本号, 取新版本客户端, 取公告 and 反馈留言: quick work answered on the
// event loop. File reads here are small (the announcement) or bounded by the
// published client's size.
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "link/frame.h"
#include "server/charset.h"
#include "server/content_frames.h"
#include "server/services.h"

namespace molan::server {
namespace {

std::optional<Bytes> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  Bytes content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return content;
}

// The client release the server pushes: the last published one, else the
// configured one. Only a release whose file can be read is offered.
struct Offer {
  std::string version;
  bool forced = false;
  Bytes fileName;  // GBK
  Bytes content;
};

std::optional<Offer> currentOffer(ServiceContext& ctx) {
  ReleaseRecord release;
  if (auto published = ctx.store.currentRelease()) {
    release = *published;
  } else if (!ctx.config.clientVersion.empty() && !ctx.config.clientFile.empty()) {
    release = {ctx.config.clientVersion, ctx.config.clientForced,
               std::filesystem::path(ctx.config.clientFile).filename().string(), ctx.config.clientFile};
  } else {
    return std::nullopt;
  }
  auto content = readFile(release.path);
  auto name = utf8ToGbk(release.fileName);
  if (!content || !name) return std::nullopt;
  return Offer{release.version, release.forced, *name, std::move(*content)};
}

void pushedVersion(ServiceContext& ctx, const ReplySink& sink) {
  const auto offer = currentOffer(ctx);
  const Bytes version = offer ? Bytes(offer->version) : Bytes();
  const bool forced = offer && offer->forced;
  sink.deliver(versionReply(version, forced), offer ? Bytes("客户端最新版本：") + version : Bytes("无推送版本"));
}

void newClient(ServiceContext& ctx, const Request& request, const ReplySink& sink) {
  const auto offer = currentOffer(ctx);
  auto frames = offer ? downloadReplies(offer->fileName, offer->content, static_cast<size_t>(ctx.config.chunkSize))
                      : std::nullopt;
  if (!frames) {
    deliverBusy(request, sink);
    return;
  }
  sink.deliver(std::move(*frames), "传文件结束");
}

void announcement(ServiceContext& ctx, const ReplySink& sink) {
  Bytes text;
  if (!ctx.config.announcement.empty()) {
    if (auto raw = readFile(ctx.config.announcement)) {
      if (ctx.config.announcementCharset == "gbk") {
        text = std::move(*raw);
      } else if (auto gbk = utf8ToGbk(*raw)) {
        text = std::move(*gbk);
      }
    }
  }
  sink.deliver(announcementReply(text), "开始发送公告文件");
}

void feedback(ServiceContext& ctx, const Request& request, const ReplySink& sink) {
  const std::string account = ctx.sessions.accountOf(sink.conn());
  if (!ctx.store.addFeedback(account, static_cast<int64_t>(std::time(nullptr)), request.fields[0])) {
    deliverBusy(request, sink);
    return;
  }
  sink.deliver(statusFrame(request.replyName, "反馈留言已成功提交"), "反馈留言已成功提交");
}

}  // namespace

void handleContentRequest(ServiceContext& ctx, const Request& request, const ReplySink& sink) {
  switch (request.command) {
    case Command::kPushedVersion: pushedVersion(ctx, sink); return;
    case Command::kNewClient: newClient(ctx, request, sink); return;
    case Command::kAnnouncement: announcement(ctx, sink); return;
    case Command::kFeedback: feedback(ctx, request, sink); return;
    default: deliverBusy(request, sink); return;
  }
}

}  // namespace molan::server
