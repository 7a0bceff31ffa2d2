#include "server/admin.h"

#include <charconv>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iostream>

#include "server/charset.h"
#include "server/config.h"
#include "server/content_frames.h"
#include "server/credentials.h"
#include "server/password_hash.h"
#include "server/sqlite_store.h"

namespace molan::server {
namespace {

namespace fs = std::filesystem;

int usage(const std::string& message) {
  std::cerr << "molan-server admin: " << message << "\n" << adminHelp();
  return 2;
}

bool toInt(const std::string& text, long long* out) {
  const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), *out);
  return ec == std::errc() && p == text.data() + text.size();
}

std::string timeText(int64_t t) {
  const std::time_t tt = static_cast<std::time_t>(t);
  std::tm local{};
  localtime_r(&tt, &local);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local);
  return buf;
}

int createAccount(SqliteStore& store, const ServerConfig& config, const std::vector<std::string>& a) {
  if (a.size() != 2 && a.size() != 3 && a.size() != 5) {
    return usage("create-account NAME PASSWORD [BALANCE [QUESTION ANSWER]]");
  }
  if (!isCredentialText(a[0]) || !isCredentialText(a[1])) {
    return usage("name and password need 8 to 16 ASCII letters or digits");
  }
  long long balance = config.startingBalance;
  if (a.size() >= 3 && (!toInt(a[2], &balance) || balance < 0 || balance > 2147483647)) return usage("bad balance");
  const auto question = utf8ToGbk(a.size() == 5 ? a[3] : "");
  const auto answer = utf8ToGbk(a.size() == 5 ? a[4] : "");
  if (!question || !answer || question->size() > kMaxSecurityTextBytes || answer->size() > kMaxSecurityTextBytes) {
    return usage("question and answer: GBK text of at most 50 bytes each");
  }
  const HashCost cost{config.hashOps, static_cast<size_t>(config.hashMemKib) * 1024};
  AccountRecord r{a[0], hashSecret(a[1], cost), *question, hashSecret(*answer, cost), balance, "",
                  static_cast<int64_t>(std::time(nullptr))};
  switch (store.create(r, config.machineLimit)) {
    case CreateResult::kCreated: std::cout << "created " << a[0] << " with balance " << balance << "\n"; return 0;
    case CreateResult::kTaken: std::cerr << "account " << a[0] << " exists\n"; return 1;
    default: std::cerr << "cannot create the account\n"; return 1;
  }
}

int topUp(SqliteStore& store, const std::vector<std::string>& a) {
  long long amount = 0;
  if (a.size() != 2 || !toInt(a[1], &amount)) return usage("top-up NAME AMOUNT");
  const auto balance = store.topUp(a[0], amount);
  if (!balance) {
    std::cerr << "no such account, or the balance would leave 0.." << 2147483647 << "\n";
    return 1;
  }
  std::cout << a[0] << " balance " << *balance << "\n";
  return 0;
}

int listAccounts(SqliteStore& store) {
  std::printf("%-16s %10s  %-19s  %s\n", "account", "balance", "created", "machine");
  for (const auto& r : store.listAccounts()) {
    std::printf("%-16s %10lld  %-19s  %s\n", r.name.c_str(), static_cast<long long>(r.balance),
                timeText(r.createdAt).c_str(), r.machineCode.c_str());
  }
  return 0;
}

int listFeedback(SqliteStore& store) {
  for (const auto& f : store.listFeedback()) {
    std::printf("#%lld %s %s\n%s\n\n", static_cast<long long>(f.id), timeText(f.time).c_str(),
                f.account.empty() ? "(not logged in)" : f.account.c_str(), printable(f.text).c_str());
  }
  return 0;
}

int publish(SqliteStore& store, const ServerConfig& config, std::vector<std::string> a) {
  bool forced = false;
  std::erase_if(a, [&forced](const std::string& s) { return s == "--forced" ? (forced = true) : false; });
  if (a.size() != 2) return usage("publish VERSION FILE [--forced]");
  const fs::path source(a[1]);
  const std::string name = source.filename().string();
  std::error_code ec;
  const fs::path folder = fs::path(config.dataDir) / "clients";
  fs::create_directories(folder, ec);
  const fs::path target = folder / name;
  if (!fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec)) {
    std::cerr << "cannot copy " << source << " to " << target << ": " << ec.message() << "\n";
    return 1;
  }
  const auto gbkName = utf8ToGbk(name);
  if (!gbkName || !downloadReplies(*gbkName, "x", 1)) {
    std::cerr << "the file name " << name << " cannot be sent to the client\n";
    return 1;
  }
  if (!store.publishRelease({a[0], forced, name, fs::absolute(target).string()})) {
    std::cerr << "cannot record the release\n";
    return 1;
  }
  std::cout << "published " << name << " as version " << a[0] << (forced ? " (forced)" : "") << "\n";
  return 0;
}

}  // namespace

std::string adminHelp() {
  return "usage: molan-server admin [--data DIR] [--config FILE] COMMAND\n"
         "  create-account NAME PASSWORD [BALANCE [QUESTION ANSWER]]\n"
         "  top-up NAME AMOUNT            (a negative amount takes away)\n"
         "  list-accounts\n"
         "  list-feedback\n"
         "  publish VERSION FILE [--forced]\n";
}

int runAdmin(const std::vector<std::string>& args) {
  ServerConfig config;
  size_t i = 0;
  std::vector<std::string> options;
  while (i < args.size() && args[i].rfind("--", 0) == 0) {
    options.push_back(args[i++]);
    if (options.back().find('=') == std::string::npos && i < args.size()) options.push_back(args[i++]);
  }
  std::string error;
  if (!applyArguments(config, options, &error)) return usage(error);
  if (i >= args.size()) return usage("no command");
  const std::string command = args[i];
  const std::vector<std::string> rest(args.begin() + static_cast<long>(i) + 1, args.end());

  std::error_code ec;
  fs::create_directories(config.dataDir, ec);
  if (!initHashing()) return usage("libsodium does not start");
  auto store = SqliteStore::open((fs::path(config.dataDir) / "molan.db").string(), &error);
  if (!store) {
    std::cerr << "cannot open the database: " << error << "\n";
    return 1;
  }
  if (command == "create-account") return createAccount(*store, config, rest);
  if (command == "top-up") return topUp(*store, rest);
  if (command == "list-accounts") return listAccounts(*store);
  if (command == "list-feedback") return listFeedback(*store);
  if (command == "publish") return publish(*store, config, rest);
  return usage("unknown command " + command);
}

}  // namespace molan::server
