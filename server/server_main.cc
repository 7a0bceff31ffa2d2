#include "server/server_main.h"

#include <csignal>
#include <filesystem>
#include <iostream>

#include "server/ocr_engine.h"
#include "server/request_log.h"
#include "server/server_loop.h"
#include "server/sqlite_store.h"

namespace molan::server {

std::string serveHelp() {
  return "usage: molan-server [serve] [options]\n" + configHelp();
}

int serve(const std::vector<std::string>& args) {
  ServerConfig config;
  std::string error;
  if (!applyArguments(config, args, &error)) {
    std::cerr << "molan-server: " << error << "\n" << serveHelp();
    return 2;
  }
  std::error_code ec;
  std::filesystem::create_directories(config.dataDir, ec);
  if (!initHashing()) {
    logEvent("libsodium does not start");
    return 1;
  }
  auto store = SqliteStore::open((std::filesystem::path(config.dataDir) / "molan.db").string(), &error);
  if (!store) {
    logEvent("cannot open the database: " + error);
    return 1;
  }

  // Signals are taken by the loop's signalfd; block them before any thread starts.
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  quietPictureLibrary();
  std::vector<std::unique_ptr<OcrEngine>> engines;
  for (int i = 0; i < config.workers; ++i) {
    engines.push_back(std::make_unique<OcrEngine>());
    if (!engines.back()->init(config.tessdata, config.languages, &error)) {
      logEvent(error);
      return 1;
    }
  }
  WorkerPool ocrPool(static_cast<size_t>(config.workers), static_cast<size_t>(config.queue));
  WorkerPool accountPool(static_cast<size_t>(config.accountWorkers), static_cast<size_t>(config.accountQueue));
  SessionRegistry sessions;
  CompletionQueue completions;
  ServiceContext context{config, *store, sessions, accountPool, ocrPool, engines,
                         HashCost{config.hashOps, static_cast<size_t>(config.hashMemKib) * 1024}};
  ServerLoop loop(config, context, sessions, completions);
  if (!completions.ok() || !loop.start(&error)) {
    logEvent("cannot start: " + error);
    return 1;
  }
  logEvent("listening on " + config.listen + ":" + std::to_string(loop.port()) + " with " +
           std::to_string(config.workers) + " recognition workers, data in " + config.dataDir);
  loop.run();
  ocrPool.stop();
  accountPool.stop();
  logEvent("stopped");
  return 0;
}

}  // namespace molan::server
