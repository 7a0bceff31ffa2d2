#pragma once
// The commands' own work: what each request is answered with. handleRequest
// runs on the event loop; quick commands answer at once, password hashing and
// recognition go to their worker pools and answer from there. Every request
// is answered exactly once through its ReplySink.
#include <memory>
#include <string>
#include <vector>

#include "link/bytes.h"
#include "server/account_store.h"
#include "server/config.h"
#include "server/ocr_engine.h"
#include "server/password_hash.h"
#include "server/reply_sink.h"
#include "server/request.h"
#include "server/session_registry.h"
#include "server/worker_pool.h"

namespace molan::server {

struct ServiceContext {
  const ServerConfig& config;
  AccountStore& store;
  SessionRegistry& sessions;
  WorkerPool& accountPool;
  WorkerPool& ocrPool;
  std::vector<std::unique_ptr<OcrEngine>>& engines;  // one per ocrPool thread
  HashCost hashCost;
};

void handleRequest(ServiceContext& ctx, const Request& request, const ReplySink& sink);

// Per area (services_*.cc).
void handleContentRequest(ServiceContext& ctx, const Request& request, const ReplySink& sink);
void handleAccountRequest(ServiceContext& ctx, const Request& request, const ReplySink& sink);
void handleRecognition(ServiceContext& ctx, const Request& request, const ReplySink& sink);

// A reply frame holding one status: prefix, status, separator.
Bytes statusFrame(BytesView replyName, BytesView status);
void deliverBusy(const Request& request, const ReplySink& sink);

// Today's local date, YYYY-MM-DD: the day of the free allowances.
std::string localDay();

}  // namespace molan::server
