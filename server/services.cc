#include "server/services.h"

#include <ctime>

#include "link/frame.h"

namespace molan::server {

Bytes statusFrame(BytesView replyName, BytesView status) { return buildFrame(replyName, {status}); }

void deliverBusy(const Request& request, const ReplySink& sink) {
  sink.deliver(statusFrame(request.replyName, kBusyStatus), Bytes(kBusyStatus));
}

std::string localDay() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buf[16];
  std::strftime(buf, sizeof buf, "%Y-%m-%d", &local);
  return buf;
}

void handleRequest(ServiceContext& ctx, const Request& request, const ReplySink& sink) {
  switch (request.command) {
    case Command::kPushedVersion:
    case Command::kNewClient:
    case Command::kAnnouncement:
    case Command::kFeedback:
      handleContentRequest(ctx, request, sink);
      return;
    case Command::kRegister:
    case Command::kLogin:
    case Command::kSecurityCheck:
    case Command::kNewPassword:
      handleAccountRequest(ctx, request, sink);
      return;
    case Command::kRecognize:
      handleRecognition(ctx, request, sink);
      return;
  }
}

}  // namespace molan::server
