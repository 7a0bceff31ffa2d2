// 注册账号, 登录, 安全验证 and 设置新密码. They hash or verify argon2id
// secrets, so they run on the account pool, never on the event loop.
#include <ctime>

#include "link/frame.h"
#include "server/credentials.h"
#include "server/services.h"

namespace molan::server {
namespace {

// Text fields end at their first zero byte.
std::string textField(const Request& r, size_t i) { return std::string(untilNul(r.fields[i])); }

void reply(const Request& request, const ReplySink& sink, BytesView status) {
  sink.deliver(statusFrame(request.replyName, status), Bytes(status));
}

void registerAccount(ServiceContext& ctx, const Request& request, const ReplySink& sink) {
  if (ctx.config.registrationPaused) return reply(request, sink, "暂停注册");
  const Registration r{textField(request, 0), textField(request, 1), textField(request, 2), textField(request, 3),
                       textField(request, 4)};
  if (!registrationFieldsValid(r)) return reply(request, sink, "信息不匹配");
  const Lookup existing = ctx.store.lookup(r.account);
  if (existing.status == LookupStatus::kFound) return reply(request, sink, "账号已被使用");
  if (existing.status == LookupStatus::kFailed) return reply(request, sink, "账号注册失败");
  const int64_t count = ctx.store.countByMachine(r.machineCode);
  if (count < 0) return reply(request, sink, "账号注册失败");
  if (count >= ctx.config.machineLimit) return reply(request, sink, "注册数量超出限制");

  AccountRecord account;
  account.name = r.account;
  account.passwordHash = hashSecret(r.password, ctx.hashCost);
  account.question = r.question;
  account.answerHash = hashSecret(r.answer, ctx.hashCost);
  account.balance = ctx.config.startingBalance;
  account.machineCode = r.machineCode;
  account.createdAt = static_cast<int64_t>(std::time(nullptr));
  if (account.passwordHash.empty() || account.answerHash.empty()) return reply(request, sink, "账号注册失败");
  switch (ctx.store.create(account, ctx.config.machineLimit)) {
    case CreateResult::kCreated: return reply(request, sink, "账号注册成功");
    case CreateResult::kTaken: return reply(request, sink, "账号已被使用");
    case CreateResult::kLimitReached: return reply(request, sink, "注册数量超出限制");
    case CreateResult::kFailed: return reply(request, sink, "账号注册失败");
  }
}

void login(ServiceContext& ctx, const Request& request, const ReplySink& sink) {
  const std::string name = textField(request, 0);
  const Lookup found = ctx.store.lookup(name);
  if (found.status == LookupStatus::kFailed) return reply(request, sink, kBusyStatus);
  if (found.status == LookupStatus::kMissing) return reply(request, sink, "账号不存在");
  if (!verifySecret(found.account.passwordHash, untilNul(request.fields[1]))) return reply(request, sink, "密码错误");
  if (ctx.sessions.claim(sink.conn(), name) == SessionRegistry::Claim::kTaken) {
    return reply(request, sink, "账号已被登录");
  }
  // Read the balance after the claim: it is what the account holds now.
  const Lookup now = ctx.store.lookup(name);
  const int64_t balance = now.status == LookupStatus::kFound ? now.account.balance : found.account.balance;
  sink.deliver(buildFrame(request.replyName, {"账号密码正确", name, std::to_string(balance)}), "账号密码正确");
}

void securityCheck(ServiceContext& ctx, const Request& request, const ReplySink& sink) {
  const std::string name = textField(request, 0);
  const Lookup found = ctx.store.lookup(name);
  if (found.status == LookupStatus::kFailed) return reply(request, sink, kBusyStatus);
  if (found.status == LookupStatus::kMissing) return reply(request, sink, "账号不存在");
  if (found.account.question != untilNul(request.fields[1])) return reply(request, sink, "安全问题错误");
  if (!verifySecret(found.account.answerHash, untilNul(request.fields[2]))) return reply(request, sink, "安全答案错误");
  ctx.sessions.markVerified(sink.conn(), name, SessionRegistry::Clock::now());
  reply(request, sink, "账号安全问答验证通过");
}

// The request names the account and the new password only; the server takes
// it only from the connection that has just passed that account's security
// check, so nobody can set another user's password by sending this frame.
void newPassword(ServiceContext& ctx, const Request& request, const ReplySink& sink) {
  const std::string name = textField(request, 0);
  const Bytes password(untilNul(request.fields[1]));
  const Lookup found = ctx.store.lookup(name);
  if (found.status == LookupStatus::kFailed) return reply(request, sink, kBusyStatus);
  if (found.status == LookupStatus::kMissing) return reply(request, sink, "账号不存在");
  const auto window = std::chrono::minutes(ctx.config.verifiedMinutes);
  if (!ctx.sessions.isVerified(sink.conn(), name, SessionRegistry::Clock::now(), window) ||
      !isCredentialText(password)) {
    return reply(request, sink, "设置新密码失败");
  }
  const std::string hash = hashSecret(password, ctx.hashCost);
  if (hash.empty() || !ctx.store.setPasswordHash(name, hash)) return reply(request, sink, "设置新密码失败");
  ctx.sessions.clearVerified(sink.conn());
  reply(request, sink, "设置新密码成功");
}

}  // namespace

void handleAccountRequest(ServiceContext& ctx, const Request& request, const ReplySink& sink) {
  const bool queued = ctx.accountPool.submit([&ctx, request, sink](size_t) {
    switch (request.command) {
      case Command::kRegister: return registerAccount(ctx, request, sink);
      case Command::kLogin: return login(ctx, request, sink);
      case Command::kSecurityCheck: return securityCheck(ctx, request, sink);
      case Command::kNewPassword: return newPassword(ctx, request, sink);
      default: return deliverBusy(request, sink);
    }
  });
  if (!queued) deliverBusy(request, sink);
}

}  // namespace molan::server
